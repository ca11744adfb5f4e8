#!/usr/bin/env bash
# Exports a profile for POV-Ray with the program, includes the file in a scene
# and has povray parse and render it; the picture must show the object.
#   povray_render.sh ORVANEL PROFILE.lum
set -euo pipefail
orvanel=$1
profile=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
export HOME=$work

env -u DISPLAY "$orvanel" --export-pov "$work/vase.inc" "$profile"
cat > scene.pov <<'POV'
#version 3.7;
global_settings { assumed_gamma 1.0 }
#include "vase.inc"
#declare Low = min_extent(vase);
#declare High = max_extent(vase);
#declare Centre = (Low + High) / 2;
camera { location Centre + <0, 0, -3 * vlength(High - Low)> look_at Centre }
light_source { Centre + <10, 10, -20> color rgb 1 }
background { color rgb 0 }
object { vase pigment { color rgb 1 } }
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
