#!/usr/bin/env bash
# Installs what the build and the tests need on Debian 12 (skips what is there).
set -euo pipefail
packages=(build-essential cmake ninja-build clang-format git qt6-base-dev qt6-base-dev-tools qt6-svg-dev
          qt6-translations-l10n libgl1-mesa-dev fonts-noto-cjk fonts-wqy-microhei xvfb
          poppler-utils libgtest-dev libgmock-dev libbenchmark-dev libzip-dev libxlsxwriter-dev pkg-config
          libreoffice-writer-nogui libreoffice-calc-nogui dpkg-dev desktop-file-utils appstream shared-mime-info librsvg2-bin
          clang libclang-rt-14-dev llvm clang-tidy gcovr)
# The Windows build of the core and its tests under Wine (without Wine's optional extras).
windows_packages=(g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix libz-mingw-w64-dev wine wine64 zip)
missing() {
  local p
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || echo "$p"
  done
}
mapfile -t missing_packages < <(missing "${packages[@]}")
mapfile -t missing_windows < <(missing "${windows_packages[@]}")
if [ ${#missing_packages[@]} -gt 0 ] || [ ${#missing_windows[@]} -gt 0 ]; then
  SUDO=""
  [ "$(id -u)" -eq 0 ] || SUDO="sudo"
  $SUDO apt-get update -q
  [ ${#missing_packages[@]} -eq 0 ] ||
    DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -q "${missing_packages[@]}"
  [ ${#missing_windows[@]} -eq 0 ] ||
    DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -q --no-install-recommends "${missing_windows[@]}"
fi
