#!/usr/bin/env bash
# Exports a profile that makes a solid (a closed one, or an open one whose curve
# starts and ends on the axis) as STL at the finest sections and steps the
# program offers and has admesh, which no one here wrote, read it: one part,
# every facet joined to its neighbours on all three edges by corners of the
# same bytes, none facing backwards.
#   admesh_read_stl.sh ORVANEL SOLID_PROFILE.lum
set -euo pipefail
orvanel=$1
profile=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export HOME=$work

env -u DISPLAY "$orvanel" --export-stl "$work/solid.stl" "$profile" --sections 1440 --steps 100
admesh "$work/solid.stl" >"$work/report" 2>&1 || { cat "$work/report" >&2; exit 1; }
value() { sed -n "s/^$1 *: *\([0-9]*\) .*/\1/p" "$work/report" | head -n 1; }
facets=$(value "Number of facets")
open=$(value "Total disconnected facets")
parts=$(value "Number of parts")
backwards=$(sed -n 's/^Backwards edges *: *\([0-9]*\).*/\1/p' "$work/report")
if [ -z "$facets" ] || [ "$facets" -eq 0 ] || [ "$open" != 0 ] || [ "$parts" != 1 ] ||
   [ "$backwards" != 0 ]; then
    cat "$work/report" >&2
    exit 1
fi
echo "admesh read $facets facets in one part with no open edge"
