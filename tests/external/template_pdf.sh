#!/usr/bin/env bash
# The 1:1 template's PDF read by poppler: the pages the tiling gives on A4
# and letter, the paper, the words of the scale bar and the sizes, and the
# bar 100 mm (283.46 pt) or 4 in (288 pt) long in the PDF's own units.
#   template_pdf.sh ORVANEL FIXTURES_DIR
set -euo pipefail
orvanel=$1
fixtures=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export HOME=$work/home XDG_CONFIG_HOME=$work/config
unset DISPLAY WAYLAND_DISPLAY
fail() { echo "template_pdf: $*" >&2; exit 1; }

# The widths of the filled rectangles on the pages, in points.
bars() {
    /usr/bin/python3 - "$1" <<'PY'
import re, sys, zlib
data = open(sys.argv[1], "rb").read()
for stream in re.findall(rb"stream\r?\n(.*?)endstream", data, re.S):
    try:
        text = zlib.decompress(stream).decode("latin-1")
    except zlib.error:
        continue
    for width in re.findall(r"[-\d.]+ [-\d.]+ ([-\d.]+) [-\d.]+ re f", text):
        print(width)
PY
}

# An anchored cup wall 400 mm tall and 150 mm across: 430 mm of drawing, two
# rows of 261 mm on A4 (243.4 on letter) overlapping by 10 mm; both halves
# are 246 mm wide, two columns of 190 mm.
cup=$fixtures/tall_cup.lum
for case in "a4 0 2 595.276 x 841.89 pts (A4)" "letter 0 2 612 x 792 pts (letter)" \
            "a4 1 4 595.276 x 841.89 pts (A4)"; do
    read -r paper mirror pages size <<<"$case"
    flags=(--paper "$paper")
    [ "$mirror" = 1 ] && flags+=(--mirror)
    "$orvanel" --export-template "$work/cup.pdf" "$cup" "${flags[@]}"
    info=$(pdfinfo "$work/cup.pdf")
    grep -qx "Pages: *$pages" <<<"$info" || fail "$paper, mirror $mirror: $(grep Pages <<<"$info")"
    grep -qx "Page size: *$size" <<<"$info" || fail "$paper: $(grep 'Page size' <<<"$info")"
    [ "$(bars "$work/cup.pdf" | sort -u)" = "283.465" ] || fail "bars: $(bars "$work/cup.pdf")"
    [ "$(bars "$work/cup.pdf" | wc -l)" -eq "$pages" ] || fail "not one bar a page"
done
text=$(pdftotext "$work/cup.pdf" -)
for words in "This bar must measure 100 mm" "Overall height: 400.0 mm" \
             "Largest diameter: 150.0 mm" "row 2, column 2 of 2 × 2" "tall_cup.lum"; do
    grep -qF "$words" <<<"$text" || fail "no \"$words\" in: $text"
done
[ "$(grep -c "This bar must measure 100 mm" <<<"$text")" -eq 4 ] || fail "a page has no bar"

# Inches and the stored unit size: half a millimetre a unit is a 200 mm cup.
mkdir -p "$work/config/Orvanel"
printf '[Dimensions]\nUnitSize=0.5\nDisplayUnit=in\n' >"$work/config/Orvanel/Orvanel.conf"
"$orvanel" --export-template "$work/inch.pdf" "$cup"
pdfinfo "$work/inch.pdf" | grep -qx "Pages: *1" || fail "200 mm takes one page"
text=$(pdftotext "$work/inch.pdf" -)
grep -qF "This bar must measure 4 in" <<<"$text" || fail "inches: $text"
grep -qF "Overall height: 7.87 in" <<<"$text" || fail "inches: $text"
[ "$(bars "$work/inch.pdf")" = "288" ] || fail "the 4 in bar: $(bars "$work/inch.pdf")"

if "$orvanel" --export-template "$work/none.pdf" "$fixtures/two_points.lum" 2>"$work/err"; then
    fail "a profile without a curve was exported"
fi
grep -qx "No spline to export!" "$work/err" || fail "message: $(cat "$work/err")"
[ ! -e "$work/none.pdf" ] || fail "a refused export wrote a file"
if "$orvanel" --export-template "$work/x.pdf" "$cup" --paper a3 2>/dev/null; then
    fail "a3 was accepted"
fi
echo "template: pages, paper, words and the 100 mm bar as they should be"
