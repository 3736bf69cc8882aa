#!/usr/bin/env bash
# The Windows build of the core under Wine: builds the windows-core preset (MinGW-w64), runs
# the core's tests under Wine, and checks that `pyx-cli.exe inspect` under Wine prints the
# same bytes (and exit status) as the Linux `pyx-cli inspect` for every sample, every
# generated file and damaged copies of them.
#   scripts/windows/wine-check.sh LINUX_BUILD_DIR     (e.g. build/release)
set -euo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
linux_build="$(cd "${1:?usage: $0 LINUX_BUILD_DIR}" && pwd)"
cd "$root"
start=$SECONDS

scripts/windows/build.sh deps-core
cmake --preset windows-core -DPYX_WERROR=ON -DPYX_WIN_PREFIXES="${PYX_WIN_CACHE:-$HOME/.cache/pyx-win}/deps" >/dev/null
cmake --build build/windows-core --target pyx-cli pyx_tests
bin="$root/build/windows-core/bin"

# shellcheck source=wine-env.sh
. "$root/scripts/windows/wine-env.sh"
work="$(mktemp -d /tmp/pyx-wine.XXXXXX)"
trap wine_cleanup EXIT
wine_prefix "$work"
echo "wine-check: prefix ready after $((SECONDS - start)) s"

# The core's tests, in one run of the test program.
(cd "$work" && wine "$bin/pyx_tests.exe" --gtest_brief=1)
echo "wine-check: tests passed after $((SECONDS - start)) s"

# The files: the samples, the generated files of every kind, and cut and damaged copies.
files="$work/files"
mkdir -p "$files/gen" "$files/bench" "$files/damaged" "$files/中文 路径"
"$linux_build/tools/pyx-samplegen" "$files/gen" >/dev/null
"$linux_build/tools/pyx-samplegen" --bench "$files/bench" >/dev/null
mapfile -t originals < <(find "$root/samples" "$files/gen" "$files/bench" -type f -name '*.py[sxw]' | sort)
for f in "${originals[@]}"; do
  name="$(basename "$f")"
  size=$(stat -c %s "$f")
  for cut in 1 64 $((size / 3)) $((size - 1)); do
    if [ "$cut" -gt 0 ] && [ "$cut" -lt "$size" ]; then head -c "$cut" "$f" >"$files/damaged/cut$cut-$name"; fi
  done
  # Thirty bytes spread over the file set to 0xFF: broken CP936 texts and numbers.
  cp "$f" "$files/damaged/ff-$name"
  for k in $(seq 1 30); do
    printf '\xff' | dd of="$files/damaged/ff-$name" bs=1 seek=$((size * k / 31)) conv=notrunc status=none
  done
done
cp "$root/samples/$(ls "$root/samples" | grep -m1 '\.pyx$')" "$files/中文 路径/试桩 一号.pyx"
mapfile -t all < <(find "$root/samples" "$files" -type f -name '*.py[sxw]' | sort)

# Linux outputs, then the Windows ones from one Wine run of a batch file (a Wine start per
# file would cost a second each). Both read no settings file: each has its own empty folder.
mkdir -p "$work/linux" "$work/windows" "$work/cfg"
batch="$work/inspect.cmd"
printf '@echo off\r\n' >"$batch"
direct=()
i=0
for f in "${all[@]}"; do
  i=$((i + 1))
  set +e
  XDG_CONFIG_HOME="$work/cfg" "$linux_build/pyx-cli" inspect "$f" >"$work/linux/$i.json" 2>/dev/null
  echo $? >"$work/linux/$i.rc"
  set -e
  if LC_ALL=C grep -q '[^ -~]' <<<"$f"; then
    # A name outside ASCII goes as an argument of its own Wine run: cmd reads batch files in
    # the ANSI code page.
    direct+=("$i")
    continue
  fi
  winpath="Z:${f//\//\\}"
  printf '"%s" inspect "%s" >"Z:%s\\%d.json" 2>nul\r\necho %%ERRORLEVEL%%>"Z:%s\\%d.rc"\r\n' \
    "Z:${bin//\//\\}\\pyx-cli.exe" "$winpath" "${work//\//\\}\\windows" "$i" "${work//\//\\}\\windows" "$i" >>"$batch"
done
(cd "$work" && wine cmd /c "Z:${batch//\//\\}") >/dev/null
for i in "${direct[@]}"; do
  set +e
  (cd "$work" && wine "$bin/pyx-cli.exe" inspect "${all[$((i - 1))]}" >"$work/windows/$i.json" 2>/dev/null)
  echo $? >"$work/windows/$i.rc"
  set -e
done
differ=0
i=0
for f in "${all[@]}"; do
  i=$((i + 1))
  tr -d '\r ' <"$work/windows/$i.rc" >"$work/windows/$i.rc2"
  if ! cmp -s "$work/linux/$i.json" "$work/windows/$i.json" || ! cmp -s "$work/linux/$i.rc" "$work/windows/$i.rc2"; then
    echo "wine-check: pyx-cli.exe inspect differs from Linux for $f" >&2
    differ=$((differ + 1))
  fi
done
echo "wine-check: ${#all[@]} files inspected, $differ differ; $((SECONDS - start)) s in all"
[ "$differ" -eq 0 ]
