#!/bin/sh
# Writes what pyx-cli prints for every sample file and for the files pyx-samplegen makes
# (inspect, report --outline with and without --word, analyse, stats, draw of both curves)
# into OUTDIR, one file per command with its exit status, so that two builds can be compared
# with `diff -r`:  scripts/cli-outputs.sh build/release OUTDIR
set -eu
build=$1
out=$2
cli=$build/src/../pyx-cli
[ -x "$cli" ] || cli=$build/pyx-cli
gen=$build/tools/samplegen/pyx-samplegen
[ -x "$gen" ] || gen=$(find "$build" -name pyx-samplegen -type f | head -n 1)
here=$(cd "$(dirname "$0")/.." && pwd)
rm -rf "$out"
mkdir -p "$out/generated/bench" "$out/run"
"$gen" "$out/generated" >/dev/null
"$gen" --bench "$out/generated/bench" >/dev/null
run() {
    name=$1
    shift
    status=0
    "$cli" "$@" >"$out/run/$name.out" 2>"$out/run/$name.err" || status=$?
    echo "$status" >"$out/run/$name.status"
}
for f in "$here"/samples/*.py? "$here"/samples/unit/*.py? "$out"/generated/*.py? "$out"/generated/unit/*.py? \
         "$out"/generated/bench/*; do
    [ -f "$f" ] || continue
    case "$f" in
    "$out"/*) tag=gen-$(echo "${f#"$out"/generated/}" | tr / _) ;;
    *) tag=$(echo "${f#"$here"/}" | tr / _) ;;
    esac
    run "$tag.inspect" inspect "$f"
    run "$tag.outline" report "$f" --outline
    run "$tag.word-outline" report "$f" --word --outline
    run "$tag.analyse-json" analyse "$f" --json
    run "$tag.analyse" analyse "$f"
    run "$tag.draw1" draw "$f" --curve 1
    run "$tag.draw2" draw "$f" --curve 2
done
run unit.stats-json stats --json "$here"/samples/unit/*.py?
run unit.stats stats "$here"/samples/unit/*.py?
for rule in hcr y10 y6; do
    run "unit.stats-json-$rule" stats --json --rule "$rule" "$here"/samples/unit/*.py?
done
run all.stats-json stats --json "$here"/samples/*.py?
# The generated files themselves are compared too: the generator must not change either.
