#!/usr/bin/env bash
# Exports a profile as VRML 2.0 with the program and has an independent reader,
# three.js's VRMLLoader under node, read it: one Extrusion mesh named after the
# file (its title made a VRML name: no blank, no leading digit), with a
# triangle pair for every quad between spine and cross-section points, and the
# diffuse colour it was given.
#   vrml_read.sh ORVANEL PROFILE.lum NODE_MODULES READER.mjs
set -euo pipefail
orvanel=$1
profile=$2
modules=$3
reader=$4
if [ ! -f "$modules/three/package.json" ]; then
    echo "three.js is missing from $modules: run scripts/install-deps --test" >&2
    exit 1
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

env -u DISPLAY "$orvanel" --export-vrml "$work/1 vase.wrl" "$profile" --sections 12 --steps 4 \
    --diffuse FF8000 2>/dev/null
points=$(env -u DISPLAY "$orvanel" --info "$profile" | sed -n 's/^points: //p')
read_out=$(node "$reader" "$modules" "$work/1 vase.wrl")
echo "$read_out"
# Cross-section: the first segment's start and 4 samples per segment.
sections=$(( (points - 3) * 4 + 1 ))
expected="mesh _1_vase vertices $(( 12 * (sections - 1) * 6 )) colour ff8000"
if [ "$read_out" != "$expected" ]; then
    echo "expected: $expected" >&2
    exit 1
fi
