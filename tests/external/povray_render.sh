#!/usr/bin/env bash
# Exports a profile for POV-Ray with the program, includes the file in a scene
# and has povray parse and render it; the picture must show the object. The
# files' titles are no names POV-Ray takes as they are: a blank, a leading
# digit, a reserved word.
#   povray_render.sh ORVANEL PROFILE.lum
set -euo pipefail
orvanel=$1
profile=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
export HOME=$work

for title in "my vase" "1 vase" "box"; do
    env -u DISPLAY "$orvanel" --export-pov "$work/$title.inc" "$profile"
done
grep -q '^#declare my_vase = $' "my vase.inc" || { cat "my vase.inc" >&2; exit 1; }
cat > scene.pov <<'POV'
#version 3.7;
global_settings { assumed_gamma 1.0 }
#include "my vase.inc"
#include "1 vase.inc"
#include "box.inc"
#declare Low = min_extent(my_vase);
#declare High = max_extent(my_vase);
#declare Centre = (Low + High) / 2;
camera { location Centre + <0, 0, -3 * vlength(High - Low)> look_at Centre }
light_source { Centre + <10, 10, -20> color rgb 1 }
background { color rgb 0 }
object { my_vase pigment { color rgb 1 } }
object { _1_vase pigment { color rgb 1 } translate -(High - Low) }
object { _box pigment { color rgb 1 } translate High - Low }
POV
povray +Iscene.pov +Oout.ppm +FP +W64 +H48 -D -P +A0.0 +Q4 >povray.log 2>&1 || {
    cat povray.log >&2
    exit 1
}
# The header of a binary PPM is three lines; every byte after it that is not
# zero is a lit pixel of the object.
lit=$(tail -n +4 out.ppm | tr -d '\000' | wc -c)
echo "povray rendered $lit non-black colour bytes"
[ "$lit" -gt 100 ]
