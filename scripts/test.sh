#!/usr/bin/env bash
# Builds everything (warnings are errors) and runs every test; then the core built for Windows
# and checked under Wine (scripts/windows/wine-check.sh); then the sanitizer build of
# everything, the Qt window included, and every test again (a shorter soak there); then the
# fuzz targets for a bounded time each (PYX_FUZZ_SECONDS, default 30).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup-debian.sh
# Formatting: any difference from .clang-format fails.
git ls-files '*.cpp' '*.h' | xargs clang-format --dry-run --Werror
cmake --preset release -DPYX_WERROR=ON
cmake --build build/release
ctest --test-dir build/release --output-on-failure
# clang-tidy on the sources the last commit changed (scripts/tidy.sh; PYX_TIDY_ALL=1: all): a
# finding fails the run, so that every source a change touches leaves it clean.
if [ "${PYX_SKIP_TIDY:-0}" != 1 ]; then
  scripts/tidy.sh build/release
fi
# The core built for Windows: its tests and the CLI's output under Wine.
if [ "${PYX_SKIP_WINE:-0}" != 1 ]; then
  scripts/windows/wine-check.sh build/release
fi
if [ "${PYX_SKIP_ASAN:-0}" != 1 ]; then
  cmake --preset asan-gui -DPYX_WERROR=ON
  cmake --build build/asan-gui
  ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 ctest --test-dir build/asan-gui --output-on-failure
fi
if [ "${PYX_SKIP_FUZZ:-0}" != 1 ]; then
  scripts/fuzz.sh "${PYX_FUZZ_SECONDS:-30}"
fi
