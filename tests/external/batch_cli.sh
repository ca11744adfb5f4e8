#!/usr/bin/env bash
# The real program's batch mode, with no display: it prints, exports and
# refuses as it should and never touches the user's settings.
#   batch_cli.sh ORVANEL EXAMPLES_DIR FIXTURES_DIR
set -euo pipefail
orvanel=$1
examples=$2
fixtures=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export HOME=$work/home XDG_CONFIG_HOME=$work/config
unset DISPLAY WAYLAND_DISPLAY
fail() { echo "batch_cli: $*" >&2; exit 1; }

info=$("$orvanel" --info "$examples/ring.lum")
[ "$(sed -n 1p <<<"$info")" = "version: current" ] || fail "--info: $info"
[ "$(sed -n 2p <<<"$info")" = "closed: 1" ] || fail "--info: $info"
points=$(sed -n 's/^points: //p' <<<"$info")
[ "$(wc -l <<<"$info")" -eq $((points + 5)) ] || fail "--info prints one line per point"

"$orvanel" --export-stl "$work/ring.stl" "$examples/ring.lum" --sections 30 --steps 4
size=$(stat -c %s "$work/ring.stl")
count=$(od -An -tu4 -j80 -N4 "$work/ring.stl" | tr -d ' ')
[ "$size" -eq $((84 + 50 * count)) ] && [ "$count" -gt 0 ] || fail "STL of $size bytes for $count"

if "$orvanel" --info "$fixtures/lower_case_magic.lum" >"$work/out" 2>"$work/err"; then
    fail "a foreign file was read"
fi
grep -qx "   This is not a Orvanel file!" "$work/err" || fail "message: $(cat "$work/err")"

if "$orvanel" --export-vrml "$work/x.wrl" "$examples/vase.lum" --sections 501 2>"$work/err"; then
    fail "501 sections were accepted"
fi
grep -qx "Enter an integer between 3 and 500." "$work/err" || fail "message: $(cat "$work/err")"
[ ! -e "$work/x.wrl" ] || fail "a refused export wrote a file"
[ ! -e "$work/config" ] && [ ! -e "$work/home" ] || fail "the batch mode wrote settings"
echo "batch mode: $points points read, $count triangles written, refusals refused"
