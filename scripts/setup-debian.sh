#!/usr/bin/env bash
# Installs what the build and the tests need on Debian 12 (skips what is there).
set -euo pipefail
packages=(build-essential cmake ninja-build clang-format git qt6-base-dev qt6-base-dev-tools qt6-svg-dev
          qt6-translations-l10n libgl1-mesa-dev fonts-noto-cjk fonts-wqy-microhei xvfb
          poppler-utils libgtest-dev libgmock-dev libbenchmark-dev libzip-dev libxlsxwriter-dev pkg-config
          libreoffice-writer-nogui libreoffice-calc-nogui dpkg-dev desktop-file-utils appstream shared-mime-info librsvg2-bin
          clang libclang-rt-14-dev llvm clang-tidy gcovr)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  SUDO=""
  [ "$(id -u)" -eq 0 ] || SUDO="sudo"
  $SUDO apt-get update -q
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -q "${missing[@]}"
fi
