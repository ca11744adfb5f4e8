#!/usr/bin/env bash
# Times the STL export of a closed 100-point profile at 200 sections and 40
# steps against OpenSCAD's rotate_extrude of the same sampled polygon, both
# with /usr/bin/time in one run, and prints the ratio.
#   bench/stl_vs_openscad.sh BUILD_DIR
set -euo pipefail
build=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export HOME=$work XDG_CONFIG_HOME=$work

"$build/bench/orvanel_bench_inputs" 100 40 200 "$work/ring100.lum" "$work/ring100.scad"
/usr/bin/time -f %e -o "$work/orvanel.time" env -u DISPLAY "$build/orvanel" \
    --export-stl "$work/orvanel.stl" "$work/ring100.lum" --sections 200 --steps 40
/usr/bin/time -f %e -o "$work/openscad.time" openscad -o "$work/openscad.stl" \
    "$work/ring100.scad" >"$work/openscad.log" 2>&1 || { cat "$work/openscad.log" >&2; exit 1; }

ours=$(tail -n 1 "$work/orvanel.time")
theirs=$(tail -n 1 "$work/openscad.time")
triangles=$(od -An -tu4 -j80 -N4 "$work/orvanel.stl" | tr -d ' ')
awk -v ours="$ours" -v theirs="$theirs" -v n="$triangles" 'BEGIN {
    printf "STL export of %d triangles: orvanel %.2f s, OpenSCAD %.2f s, ratio %.1f\n",
           n, ours, theirs, theirs / (ours > 0.005 ? ours : 0.005)
}'
