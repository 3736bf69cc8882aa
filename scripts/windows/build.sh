#!/usr/bin/env bash
# Builds PYX for 64-bit Windows on Debian 12 and makes its installer and portable zip.
#
#   scripts/windows/build.sh            everything: dependencies, PYX, installer, zip
#   scripts/windows/build.sh deps       only the dependencies (Qt, libzip, googletest)
#   scripts/windows/build.sh deps-core  only what the core needs (libzip, googletest; no Qt)
#
# The dependencies are built once into PYX_WIN_CACHE (default ~/.cache/pyx-win) and reused.
# Qt takes about 40 minutes on two cores the first time; PYX_WIN_JOBS sets the parallel jobs.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
root="$(cd "$here/../.." && pwd)"
cache="${PYX_WIN_CACHE:-$HOME/.cache/pyx-win}"
jobs="${PYX_WIN_JOBS:-2}"
what="${1:-all}"
triple=x86_64-w64-mingw32
qt_prefix="$cache/qt"
deps_prefix="$cache/deps"
stamps="$cache/stamps"
mkdir -p "$cache/src" "$stamps"

SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO="sudo"

log() { printf '[%(%H:%M:%S)T] %s\n' -1 "$*" >&2; }

install_packages() {
  local packages=(g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
                  libz-mingw-w64-dev wine wine64 nsis zip dpkg-dev cmake ninja-build libgtest-dev
                  qt6-base-dev qt6-base-dev-tools fonts-noto-cjk)
  local missing=() p
  for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  if [ ${#missing[@]} -gt 0 ]; then
    log "installing ${missing[*]}"
    $SUDO apt-get -o DPkg::Lock::Timeout=600 update -q
    DEBIAN_FRONTEND=noninteractive $SUDO apt-get -o DPkg::Lock::Timeout=600 install -y -q --no-install-recommends "${missing[@]}"
  fi
}

# apt-get source needs a deb-src entry; it is made from the binary entries, same mirror.
ensure_deb_src() {
  if grep -rqsE '^(Types:.*deb-src|deb-src )' /etc/apt/sources.list /etc/apt/sources.list.d/; then
    return
  fi
  log "adding deb-src entries for the configured Debian mirror"
  local tmp
  tmp="$(mktemp)"
  local f
  for f in /etc/apt/sources.list.d/*.sources; do
    [ -e "$f" ] || continue
    grep -q 'debian' "$f" || continue
    sed -e 's/^Types: deb$/Types: deb-src/' "$f" >>"$tmp"
    echo >>"$tmp"
  done
  if [ -s "$tmp" ]; then
    $SUDO install -m 644 "$tmp" /etc/apt/sources.list.d/pyx-deb-src.sources
  elif [ -f /etc/apt/sources.list ]; then
    sed -n 's/^deb /deb-src /p' /etc/apt/sources.list >"$tmp"
    $SUDO install -m 644 "$tmp" /etc/apt/sources.list.d/pyx-deb-src.list
  fi
  rm -f "$tmp"
  $SUDO apt-get -o DPkg::Lock::Timeout=600 update -q >&2
}

# Unpacks a Debian source package (the version installed on this machine) into $cache/src.
fetch_source() {
  local package="$1" version="$2" dir
  dir="$cache/src/$package-$version"
  if [ ! -f "$dir/.unpacked" ]; then
    ensure_deb_src
    rm -rf "$dir" && mkdir -p "$dir"
    (cd "$dir" && apt-get source -q "$package=$version" >/dev/null)
    touch "$dir/.unpacked"
  fi
  find "$dir" -mindepth 1 -maxdepth 1 -type d | head -n 1
}

# The toolchain file is copied into the cache: Qt's qt-cmake loads it again from there.
toolchain="$cache/mingw-w64-x86_64.cmake"
copy_toolchain() {
  cmp -s "$root/cmake/mingw-w64-x86_64.cmake" "$toolchain" 2>/dev/null ||
    cp "$root/cmake/mingw-w64-x86_64.cmake" "$toolchain"
}

# A library from the Debian source package of the version installed here (its -dev package
# named first), built with CMake for Windows into the cache, with the given options.
build_from_debian() {
  local dev="$1" package="$2"
  shift 2
  [ -f "$stamps/$package.done" ] && return
  local version src
  version="$(dpkg-query -W -f='${source:Version}' "$dev" 2>/dev/null || apt-cache show "$dev" | sed -n 's/^Version: //p' | head -n 1)"
  src="$(fetch_source "$package" "$version")"
  log "building $package $version for Windows"
  cmake -S "$src" -B "$cache/build/$package" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$deps_prefix" -DBUILD_SHARED_LIBS=ON \
    -DZLIB_INCLUDE_DIR=/usr/$triple/include -DZLIB_LIBRARY=/usr/$triple/lib/libz.dll.a "$@" >/dev/null
  cmake --build "$cache/build/$package" -j "$jobs"
  cmake --install "$cache/build/$package" >/dev/null
  touch "$stamps/$package.done"
}

build_libzip() {
  build_from_debian libzip-dev libzip \
    -DENABLE_BZIP2=OFF -DENABLE_LZMA=OFF -DENABLE_ZSTD=OFF -DENABLE_OPENSSL=OFF -DENABLE_GNUTLS=OFF \
    -DENABLE_MBEDTLS=OFF -DENABLE_COMMONCRYPTO=OFF -DENABLE_WINDOWS_CRYPTO=ON \
    -DBUILD_TOOLS=OFF -DBUILD_REGRESS=OFF -DBUILD_EXAMPLES=OFF -DBUILD_DOC=OFF
}

# libxlsxwriter for the Excel export: its own minizip; its temporary files in %TEMP% (the C
# library's tmpfile() would write to the root of the drive, which users may not).
build_libxlsxwriter() {
  build_from_debian libxlsxwriter-dev libxlsxwriter -DUSE_SYSTEM_MINIZIP=OFF -DBUILD_TESTS=OFF -DBUILD_EXAMPLES=OFF
}

build_googletest() {
  [ -f "$stamps/googletest.done" ] && return
  log "building googletest for Windows from /usr/src/googletest"
  cmake -S /usr/src/googletest -B "$cache/build/googletest" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$deps_prefix" -DBUILD_GMOCK=ON \
    -DBUILD_SHARED_LIBS=OFF >/dev/null
  cmake --build "$cache/build/googletest" -j "$jobs"
  cmake --install "$cache/build/googletest" >/dev/null
  touch "$stamps/googletest.done"
}

# Qt from Debian's own source package, the host Qt's version: Core, Gui, Widgets,
# PrintSupport, Test, the Windows platform, style and print support plugins. The host's moc,
# rcc and uic are used (QT_HOST_PATH). No OpenGL, network, SQL, D-Bus, XML or Concurrent, and
# none of what the program does not load (the Direct2D platform, FreeType, JPEG). Text is drawn
# with GDI: without Direct2D, Qt 6.4's Gui has no DirectWrite font engine, which its Windows
# print engine would otherwise call.
build_qt() {
  [ -f "$stamps/qt.done" ] && return
  local version src
  version="$(dpkg-query -W -f='${source:Version}' libqt6core6)"
  src="$(fetch_source qt6-base "$version")"
  log "configuring Qt $version for Windows"
  cmake -S "$src" -B "$cache/build/qt" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$qt_prefix" -DBUILD_SHARED_LIBS=ON \
    -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
    -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DQT_BUILD_BENCHMARKS=OFF \
    -DFEATURE_network=OFF -DFEATURE_sql=OFF -DFEATURE_dbus=OFF -DFEATURE_xml=OFF \
    -DFEATURE_concurrent=OFF -DFEATURE_opengl=OFF -DINPUT_opengl=no -DFEATURE_dynamicgl=OFF \
    -DFEATURE_vulkan=OFF -DFEATURE_tabletevent=OFF -DFEATURE_sql_sqlite=OFF -DFEATURE_direct2d=OFF \
    -DFEATURE_directwrite=OFF -DFEATURE_directwrite3=OFF \
    -DFEATURE_freetype=OFF -DFEATURE_jpeg=OFF \
    -DFEATURE_system_zlib=OFF -DFEATURE_system_pcre2=OFF -DFEATURE_system_png=OFF \
    -DFEATURE_system_jpeg=OFF -DFEATURE_system_harfbuzz=OFF -DFEATURE_system_freetype=OFF \
    -DFEATURE_system_doubleconversion=OFF >"$cache/qt-configure.log" 2>&1 ||
    { tail -n 40 "$cache/qt-configure.log"; exit 1; }
  log "building Qt (about 40 minutes on two cores)"
  cmake --build "$cache/build/qt" -j "$jobs"
  cmake --install "$cache/build/qt" >/dev/null
  touch "$stamps/qt.done"
  log "Qt installed in $qt_prefix"
}

deps_core() {
  install_packages
  copy_toolchain
  build_libzip
  build_libxlsxwriter
  build_googletest
}

case "$what" in
  deps-core) deps_core ;;
  deps) deps_core; build_qt ;;
  all)
    deps_core
    build_qt
    exec "$here/package.sh"
    ;;
  *) echo "usage: $0 [all|deps|deps-core]" >&2; exit 2 ;;
esac
