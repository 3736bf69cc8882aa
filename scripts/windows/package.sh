#!/usr/bin/env bash
# Builds PYX for Windows with the Qt of scripts/windows/build.sh, gathers the DLLs it loads and
# makes the installer (PYX-<version>-win64-setup.exe) and the portable zip in build/windows/.
set -euo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
cache="${PYX_WIN_CACHE:-$HOME/.cache/pyx-win}"
qt="$cache/qt"
out="$root/build/windows"
cd "$root"
[ -f "$cache/stamps/qt.done" ] || { echo "no Qt for Windows in $cache: run scripts/windows/build.sh" >&2; exit 1; }

export CCACHE_BASEDIR="$root"
command -v ccache >/dev/null && export CMAKE_CXX_COMPILER_LAUNCHER=ccache
cmake --preset windows -DPYX_WERROR=ON -DPYX_TESTS=OFF \
  -DCMAKE_TOOLCHAIN_FILE="$qt/lib/cmake/Qt6/qt.toolchain.cmake" -DPYX_WIN_PREFIXES="$cache/deps;$qt" >/dev/null
cmake --build "$out" -j "${PYX_WIN_JOBS:-2}" --target pyx pyx-cli

version="$(sed -n 's/^project(pyx VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)"
name="PYX-$version-win64"
stage="$out/stage/$name"
rm -rf "$out/stage" && mkdir -p "$stage"
# The programs, the MinGW runtime, zlib, libzip and libxlsxwriter (copied beside them by the build).
cp "$out/bin/pyx.exe" "$out/bin/pyx-cli.exe" "$out"/bin/*.dll "$stage/"
x86_64-w64-mingw32-strip "$stage"/*.exe
# Qt: its libraries (Qt 6 prints on Windows from Qt6PrintSupport itself, without a plugin), the
# Windows platform and style plugins, and the Chinese texts of its dialogs; qt.conf makes the
# program's folder Qt's prefix.
for lib in Core Gui Widgets PrintSupport; do cp "$qt/bin/Qt6$lib.dll" "$stage/"; done
for plugin in platforms/qwindows styles/qwindowsvistastyle imageformats/qico imageformats/qgif; do
  if [ -f "$qt/plugins/$plugin.dll" ]; then
    mkdir -p "$stage/$(dirname "$plugin")" && cp "$qt/plugins/$plugin.dll" "$stage/$plugin.dll"
  elif [[ "$plugin" == platforms/* ]]; then
    echo "Qt for Windows has no $plugin plugin" >&2; exit 1
  fi
done
mkdir -p "$stage/translations"
cp /usr/share/qt6/translations/qtbase_zh_CN.qm "$stage/translations/"
printf '[Paths]\r\nPrefix=.\r\nPlugins=.\r\nTranslations=translations\r\n' >"$stage/qt.conf"
cp packaging/windows/pyx.ico "$stage/"

# The portable zip: the same folder, to unpack anywhere.
rm -f "$out/$name-portable.zip"
(cd "$out/stage" && zip -qr9 "$out/$name-portable.zip" "$name")

# The installer; its uninstaller removes exactly the files installed.
nsh="$out/stage/uninstall-files.nsh"
(cd "$stage" && find . -type f | sed 's|^\./||; s|/|\\|g' | sort | sed 's|^|  Delete "$INSTDIR\\|; s|$|"|') >"$nsh"
(cd "$stage" && find . -mindepth 1 -type d | sed 's|^\./||; s|/|\\|g' | sort -r | sed 's|^|  RMDir "$INSTDIR\\|; s|$|"|') >>"$nsh"
makensis -V2 -DVERSION="$version" -DSTAGE="$stage" -DOUTFILE="$out/$name-setup.exe" -DFILES_NSH="$nsh" \
  packaging/windows/pyx.nsi
echo "installer: $out/$name-setup.exe"
echo "portable:  $out/$name-portable.zip"
