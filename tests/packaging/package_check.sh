#!/usr/bin/env bash
# Builds the Debian package from a built tree, unpacks it into a scratch root and checks what
# the desktop reads from it and that the installed command-line tool works.
#   package_check.sh BUILD_DIR SOURCE_DIR
set -euo pipefail
build=$1
src=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

(cd "$build" && cpack -G DEB -B "$work/out" >"$work/cpack.log" 2>&1) || { cat "$work/cpack.log"; exit 1; }
deb=$(ls "$work"/out/*.deb)
echo "package: $(basename "$deb")"
dpkg-deb --field "$deb" Depends | grep -q "fonts-noto-cjk" || { echo "no CJK font dependency"; exit 1; }
dpkg-deb --field "$deb" Depends | grep -q "libqt6widgets6" || { echo "no Qt dependency"; exit 1; }
root=$work/root
dpkg-deb -x "$deb" "$root"

desktop-file-validate "$root/usr/share/applications/io.pyx.Pyx.desktop"
appstreamcli validate --no-net "$root/usr/share/metainfo/io.pyx.Pyx.metainfo.xml" >/dev/null
mkdir -p "$work/mime/packages"
cp "$root/usr/share/mime/packages/io.pyx.Pyx.xml" "$work/mime/packages/"
update-mime-database "$work/mime" 2>/dev/null
grep -q "application/x-pyx-logger" "$work/mime/globs2"
grep -q "\*.pys" "$work/mime/globs2"
for size in 16x16 32x32 48x48 64x64 128x128 256x256 scalable; do
  ls "$root/usr/share/icons/hicolor/$size/apps/" | grep -q "io.pyx.Pyx" || { echo "icon $size missing"; exit 1; }
done
test -x "$root/usr/bin/pyx"

"$root/usr/bin/pyx-cli" inspect "$src/samples/logger_levels.pyx" --settings "$work/none.sys" >"$work/inspect.json"
grep -q '"ftype":2,' "$work/inspect.json"
QT_QPA_PLATFORM=offscreen "$root/usr/bin/pyx-cli" report "$src/samples/logger_levels.pyx" \
  --settings "$work/none.sys" --pdf "$work/r.pdf"
head -c 5 "$work/r.pdf" | grep -q "%PDF-"
echo "package checked"
