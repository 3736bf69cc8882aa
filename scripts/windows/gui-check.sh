#!/usr/bin/env bash
# The Windows build of everything under Wine: builds the windows preset with its tests (the Qt
# of scripts/windows/build.sh), then runs the core's tests and the window's tests with the
# Windows platform plugin on a virtual display (1366x768) in a fresh Wine prefix with a
# Chinese font.
#   scripts/windows/gui-check.sh [GTEST_FILTER]
set -euo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
cache="${PYX_WIN_CACHE:-$HOME/.cache/pyx-win}"
qt="$cache/qt"
cd "$root"
[ -f "$cache/stamps/qt.done" ] || { echo "no Qt for Windows in $cache: run scripts/windows/build.sh deps" >&2; exit 1; }
start=$SECONDS
out="$root/build/windows-tests"
export CCACHE_BASEDIR="$root"
command -v ccache >/dev/null && export CMAKE_CXX_COMPILER_LAUNCHER=ccache
cmake --preset windows -B "$out" -DPYX_WERROR=ON -DPYX_TESTS=ON \
  -DCMAKE_TOOLCHAIN_FILE="$qt/lib/cmake/Qt6/qt.toolchain.cmake" -DPYX_WIN_PREFIXES="$cache/deps;$qt" >/dev/null
cmake --build "$out" -j "${PYX_WIN_JOBS:-2}" --target pyx_tests pyx_gui_tests
echo "gui-check: built after $((SECONDS - start)) s"

# shellcheck source=wine-env.sh
. "$root/scripts/windows/wine-env.sh"
work="$(mktemp -d /tmp/pyx-wine-gui.XXXXXX)"
trap wine_cleanup EXIT
wine_display
wine_prefix "$work"
wine_chinese_font

# Qt's libraries and plugins beside the tests, as the installer lays them out beside pyx.exe.
for lib in Core Gui Widgets PrintSupport Test; do cp "$qt/bin/Qt6$lib.dll" "$out/bin/"; done
mkdir -p "$out/bin/platforms" "$out/bin/styles"
cp "$qt/plugins/platforms/qwindows.dll" "$out/bin/platforms/"
cp "$qt/plugins/styles/qwindowsvistastyle.dll" "$out/bin/styles/"
mkdir -p "$out/bin/translations"
cp /usr/share/qt6/translations/qtbase_zh_CN.qm "$out/bin/translations/"
printf '[Paths]\r\nPrefix=.\r\nPlugins=.\r\nTranslations=translations\r\n' >"$out/bin/qt.conf"
filter="${1:-*}"
(cd "$work" && wine "$out/bin/pyx_tests.exe" --gtest_brief=1 --gtest_filter="$filter")
echo "gui-check: core tests passed after $((SECONDS - start)) s"
(cd "$work" && wine "$out/bin/pyx_gui_tests.exe" --gtest_brief=1 --gtest_filter="$filter")
echo "gui-check: window tests passed after $((SECONDS - start)) s"
