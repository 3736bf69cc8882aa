#!/usr/bin/env bash
# clang-tidy (.clang-tidy) on the C++ sources a change touches: those that differ from
# PYX_TIDY_BASE (default: the commit before HEAD), or every source with PYX_TIDY_ALL=1.
# Needs a configured build with compile_commands.json (default build/release).
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/release}
if [ "${PYX_TIDY_ALL:-0}" = 1 ]; then
  mapfile -t files < <(git ls-files 'src/*.cpp' 'tests/*.cpp' 'tools/*.cpp')
else
  base=${PYX_TIDY_BASE:-HEAD~1}
  git rev-parse --verify -q "$base" >/dev/null || base=$(git hash-object -t tree /dev/null)
  mapfile -t files < <(git diff --name-only --diff-filter=d "$base" -- 'src/*.cpp' 'tests/*.cpp' 'tools/*.cpp')
fi
if [ ${#files[@]} -eq 0 ]; then
  echo "tidy: no C++ source changed"
  exit 0
fi
# GCC's own warning options are unknown to clang.
run-clang-tidy -quiet -p "$build" -extra-arg=-Wno-unknown-warning-option -j "$(nproc)" "${files[@]}"
