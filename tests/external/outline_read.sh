#!/usr/bin/env bash
# The SVG and DXF profiles read by programs no one here wrote: rsvg-convert
# renders the SVG at the size its width and height give, ezdxf reads and
# audits the DXF, and both polylines lie on the curve through the points at
# the stored unit size.
#   outline_read.sh ORVANEL READER.py PROFILE.lum...
set -euo pipefail
orvanel=$1
reader=$2
shift 2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export HOME=$work/home XDG_CONFIG_HOME=$work/config
unset DISPLAY WAYLAND_DISPLAY
fail() { echo "outline_read: $*" >&2; exit 1; }
# Debian's own interpreter, where python3-ezdxf is installed.
python=/usr/bin/python3

mkdir -p "$work/config/Orvanel"
printf '[Dimensions]\nUnitSize=0.5\n' >"$work/config/Orvanel/Orvanel.conf"
for profile in "$@"; do
    name=$(basename "$profile" .lum)
    for case in "20 0" "7 1"; do
        read -r steps mirror <<<"$case"
        flags=(--steps "$steps")
        [ "$mirror" = 1 ] && flags+=(--mirror)
        "$orvanel" --info "$profile" >"$work/$name.info"
        "$orvanel" --export-svg "$work/$name.svg" "$profile" "${flags[@]}"
        "$orvanel" --export-dxf "$work/$name.dxf" "$profile" "${flags[@]}"
        "$python" "$reader" "$work/$name.info" "$work/$name.svg" "$work/$name.dxf" \
            "$steps" 0.5 "$mirror"

        # 254 dots an inch are ten pixels a millimetre.
        rsvg-convert --dpi-x 254 --dpi-y 254 -o "$work/$name.png" "$work/$name.svg"
        width=$(sed -n 's/.* width="\([0-9.]*\)mm".*/\1/p' "$work/$name.svg")
        height=$(sed -n 's/.* height="\([0-9.]*\)mm".*/\1/p' "$work/$name.svg")
        read -r pw ph < <(identify -format '%w %h\n' "$work/$name.png")
        awk -v w="$width" -v h="$height" -v pw="$pw" -v ph="$ph" \
            'BEGIN { exit !(pw - 10 * w < 1 && 10 * w - pw < 1 && ph - 10 * h < 1 && 10 * h - ph < 1) }' ||
            fail "$name.svg of $width x $height mm rendered as $pw x $ph px"
        ink=$(convert "$work/$name.png" -background white -flatten -colorspace gray \
              -threshold 50% -format '%[fx:mean]' info:)
        awk -v m="$ink" 'BEGIN { exit !(m < 1) }' || fail "$name.svg renders blank"
    done
done
if "$orvanel" --export-dxf "$work/x.dxf" "$1" --steps 101 2>"$work/err"; then
    fail "101 steps were accepted"
fi
grep -qx "Enter an integer between 1 and 100." "$work/err" || fail "message: $(cat "$work/err")"
[ ! -e "$work/x.dxf" ] || fail "a refused export wrote a file"
echo "outlines: $# profiles read back"
