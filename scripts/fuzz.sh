#!/usr/bin/env bash
# Builds the fuzz targets with clang (libFuzzer, AddressSanitizer, UndefinedBehaviorSanitizer)
# and runs each for SECONDS (default 25) on the seed corpus in fuzz/corpus; any finding
# fails, and the input that found it is left in build/fuzz/findings. By hand, run them
# longer: scripts/fuzz.sh 3600, or one target: scripts/fuzz.sh 600 open.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-25}
shift || true
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(open settings rawdata report writeback)
cmake -S fuzz -B build/fuzz -G Ninja -DCMAKE_CXX_COMPILER=clang++ ${CMAKE_CXX_COMPILER_LAUNCHER:+-DCMAKE_CXX_COMPILER_LAUNCHER=$CMAKE_CXX_COMPILER_LAUNCHER} >/dev/null
cmake --build build/fuzz
mkdir -p build/fuzz/findings
declare -A seeds=([open]=test [report]=test [rawdata]=raw [settings]=settings [writeback]=edits)
for t in "${targets[@]}"; do
  work=build/fuzz/work/$t
  mkdir -p "$work"
  log=build/fuzz/$t.log
  echo "fuzz_$t: ${seconds}s"
  if ! ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
      build/fuzz/fuzz_"$t" -max_total_time="$seconds" -rss_limit_mb=2048 -timeout=20 -print_final_stats=1 \
      -artifact_prefix=build/fuzz/findings/"$t"- "$work" fuzz/corpus/"${seeds[$t]}" >"$log" 2>&1; then
    tail -60 "$log"
    echo "fuzz_$t: FINDING (see $log and build/fuzz/findings)" >&2
    exit 1
  fi
  grep -E "stat::number_of_executed_units|stat::peak_rss_mb" "$log" | sed "s/^/  /"
done
