#!/usr/bin/env bash
# The Windows installer under Wine, as a user meets it: installs
# build/windows/PYX-<version>-win64-setup.exe silently (/S) into a fresh Wine prefix with a
# Chinese font, starts the installed pyx.exe with a sample on a virtual display (1366x768) and
# saves a screenshot, writes the sample's reports with the installed pyx-cli.exe (--pdf, --docx)
# and compares them with the Linux build's, then uninstalls and checks that nothing is left.
#   scripts/windows/installer-check.sh LINUX_BUILD_DIR OUTDIR [SAMPLE]
# OUTDIR gets the screenshot and both builds' reports. The virtual display stays open
# (its number in OUTDIR/display) until the script ends.
set -euo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
linux_build="$(cd "${1:?usage: $0 LINUX_BUILD_DIR OUTDIR [SAMPLE]}" && pwd)"
mkdir -p "${2:?usage: $0 LINUX_BUILD_DIR OUTDIR [SAMPLE]}"
outdir="$(cd "$2" && pwd)"
sample="$(cd "$(dirname "${3:-$root/samples/logger_levels.pyx}")" && pwd)/$(basename "${3:-logger_levels.pyx}")"
version="$(sed -n 's/^project(pyx VERSION \([0-9.]*\).*/\1/p' "$root/CMakeLists.txt")"
setup="$root/build/windows/PYX-$version-win64-setup.exe"
[ -f "$setup" ] || { echo "no installer: run scripts/windows/build.sh" >&2; exit 1; }

# shellcheck source=wine-env.sh
. "$root/scripts/windows/wine-env.sh"
work="$(mktemp -d /tmp/pyx-installer.XXXXXX)"
trap wine_cleanup EXIT
wine_display
echo "$DISPLAY" >"$outdir/display"
start=$SECONDS
wine_prefix "$work"
wine_chinese_font

wine "Z:${setup//\//\\}" /S
wineserver -w
installed="$WINEPREFIX/drive_c/Program Files/PYX"
for f in pyx.exe pyx-cli.exe uninstall.exe Qt6Widgets.dll Qt6PrintSupport.dll platforms/qwindows.dll; do
  [ -f "$installed/$f" ] || { echo "installer-check: $f was not installed" >&2; exit 1; }
done
menu="$(find "$WINEPREFIX/drive_c" -path '*Start Menu/Programs/PYX/*.lnk' | wc -l)"
desktop="$(find "$WINEPREFIX/drive_c" -path '*Desktop/*PYX*.lnk' | wc -l)"
assoc="$(wine reg query 'HKLM\Software\Classes\.pyx' /ve 2>/dev/null | tr -d '\r' | grep -c 'PYX.TestFile' || true)"
open="$(wine reg query 'HKLM\Software\Classes\PYX.TestFile\shell\open\command' /ve 2>/dev/null | tr -d '\r' | grep -o 'pyx.exe" "%1"' || true)"
echo "installer-check: installed in $((SECONDS - start)) s; Start menu links: $menu, desktop links: $desktop, .pyx association: $assoc, open command: $open"
[ "$menu" -ge 1 ] && [ "$desktop" -ge 1 ] && [ "$assoc" -eq 1 ] && [ -n "$open" ]

# The window with the sample.
wine "C:\\Program Files\\PYX\\pyx.exe" "Z:${sample//\//\\}" >/dev/null 2>&1 &
sleep "${PYX_WINDOW_WAIT:-25}"
import -window root "$outdir/window.png"
echo "installer-check: screenshot in $outdir/window.png"
if [ -n "${PYX_KEEP_WINDOW:-}" ]; then
  echo "installer-check: the window stays open until $outdir/done exists"
  while [ ! -f "$outdir/done" ]; do sleep 2; done
fi

# The reports of the sample, by both builds, with no settings file of their own.
cli="C:\\Program Files\\PYX\\pyx-cli.exe"
z() { echo "Z:${1//\//\\}"; }
wine "$cli" report "$(z "$sample")" --pdf "$(z "$outdir/windows.pdf")"
wine "$cli" report "$(z "$sample")" --word --docx "$(z "$outdir/windows.docx")"
XDG_CONFIG_HOME="$work/cfg" "$linux_build/pyx-cli" report "$sample" --pdf "$outdir/linux.pdf"
XDG_CONFIG_HOME="$work/cfg" "$linux_build/pyx-cli" report "$sample" --word --docx "$outdir/linux.docx"
pages() { pdfinfo "$1" | sed -n 's/^Pages: *//p'; }
pdftotext -layout "$outdir/windows.pdf" "$outdir/windows.txt"
pdftotext -layout "$outdir/linux.pdf" "$outdir/linux.txt"
echo "installer-check: PDF pages Windows $(pages "$outdir/windows.pdf"), Linux $(pages "$outdir/linux.pdf")"
if diff -q <(tr -s ' ' <"$outdir/windows.txt") <(tr -s ' ' <"$outdir/linux.txt") >/dev/null; then
  echo "installer-check: PDF texts agree"
else
  echo "installer-check: PDF texts differ (see $outdir/*.txt)" >&2
fi
docx_text() { unzip -p "$1" word/document.xml | sed 's/<[^>]*>//g'; }
if [ "$(docx_text "$outdir/windows.docx")" = "$(docx_text "$outdir/linux.docx")" ]; then
  echo "installer-check: .docx texts agree"
else
  echo "installer-check: .docx texts differ" >&2
fi

# Uninstall: the folder, the links and the registry entries go.
wineserver -k || true
wine "C:\\Program Files\\PYX\\uninstall.exe" /S
sleep 5
wineserver -w
left="$( { find "$installed" 2>/dev/null || true; } | wc -l)" # none: the folder is gone
menu="$(find "$WINEPREFIX/drive_c" -path '*PYX*.lnk' | wc -l)"
assoc=0
wine reg query 'HKLM\Software\Classes\PYX.TestFile' >/dev/null 2>&1 && assoc=1
echo "installer-check: after uninstall: files left $left, links left $menu, registry entries left $assoc"
[ "$left" -eq 0 ] && [ "$menu" -eq 0 ] && [ "$assoc" -eq 0 ]
