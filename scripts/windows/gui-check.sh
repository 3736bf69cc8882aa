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

work="$(mktemp -d /tmp/pyx-wine-gui.XXXXXX)"
export WINEPREFIX="$work/prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d" WINEARCH=win64
display=$((100 + RANDOM % 400))
Xvfb ":$display" -screen 0 1366x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
export DISPLAY=":$display"
cleanup() {
  wineserver -k 2>/dev/null || true
  kill "$xvfb" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
wineboot -i >/dev/null 2>&1 || true
wineserver -w
cp /usr/share/fonts/truetype/wqy/wqy-microhei.ttc "$WINEPREFIX/drive_c/windows/Fonts/"
for family in SimSun 宋体 NSimSun "Microsoft YaHei" 微软雅黑 SimHei 黑体; do
  wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v "$family" /d "WenQuanYi Micro Hei" /f >/dev/null
done

# Qt's libraries and plugins from the cache; the program's own DLLs are beside the tests.
export WINEPATH="$(winepath -w "$qt/bin")"
export QT_PLUGIN_PATH="$(winepath -w "$qt/plugins")"
filter="${1:-*}"
(cd "$work" && wine "$out/bin/pyx_tests.exe" --gtest_brief=1 --gtest_filter="$filter")
echo "gui-check: core tests passed after $((SECONDS - start)) s"
(cd "$work" && QT_QPA_PLATFORM=windows wine "$out/bin/pyx_gui_tests.exe" --gtest_brief=1 --gtest_filter="$filter")
echo "gui-check: window tests passed after $((SECONDS - start)) s"
