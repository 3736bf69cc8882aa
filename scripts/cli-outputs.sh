#!/bin/sh
# Writes what pyx-cli prints for every sample file and for the files pyx-samplegen makes
# (inspect, report --outline with and without --word, analyse, stats, draw of both curves)
# into OUTDIR, one file per command with its exit status, so that two builds can be compared
# with `diff -r`:  scripts/cli-outputs.sh build/release OUTDIR  (PYX_CLI=path: another
# pyx-cli). The runs go without settings and with two settings files written here: every
# report selected with the analysis pages and the last file named (the start-up's open of
# it), and the simple summary with the reduced curves.
set -eu
build=$1
out=$2
cli=${PYX_CLI:-$build/pyx-cli}
gen=$build/tools/samplegen/pyx-samplegen
[ -x "$gen" ] || gen=$(find "$build" -name pyx-samplegen -type f | head -n 1)
here=$(cd "$(dirname "$0")/.." && pwd)
rm -rf "$out"
mkdir -p "$out/generated/bench" "$out/run"
"$gen" "$out/generated" >/dev/null
"$gen" --bench "$out/generated/bench" >/dev/null
# A settings file: 121 records of 128 bytes, each a 16-bit length and the text.
settings() {
    python3 - "$@" <<'PY'
import struct, sys
path, entries = sys.argv[1], dict(a.split('=', 1) for a in sys.argv[2:])
with open(path, 'wb') as f:
    for n in range(121):
        t = entries.get(str(n), '').encode()
        f.write(struct.pack('<H', len(t)) + t + bytes(126 - len(t)))
PY
}
mkdir -p "$out/settings"
settings "$out/settings/all.sys" 9="$here/samples/logger_levels.pyx" 70=1 71=1 72=1 73=1 78=1 80=1
settings "$out/settings/reduced.sys" 70=1 71=1 72=1 73=1 77=1 78=1 79=1
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
    for set in all reduced; do
        run "$tag.$set.inspect" inspect "$f" --settings "$out/settings/$set.sys"
        run "$tag.$set.outline" report "$f" --outline --settings "$out/settings/$set.sys"
        run "$tag.$set.word-outline" report "$f" --word --outline --settings "$out/settings/$set.sys"
        run "$tag.$set.draw2" draw "$f" --curve 2 --settings "$out/settings/$set.sys"
    done
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
