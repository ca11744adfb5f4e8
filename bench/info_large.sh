#!/usr/bin/env bash
# Times `orvanel --info` of closed profiles of 10^4, 10^5 and 10^6 points with
# /usr/bin/time in one run, and prints the times and the growth.
#   bench/info_large.sh BUILD_DIR
set -euo pipefail
build=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export HOME=$work XDG_CONFIG_HOME=$work

previous=
for points in 10000 100000 1000000; do
  "$build/bench/orvanel_bench_inputs" "$points" 1 3 "$work/ring.lum" /dev/null
  /usr/bin/time -f %e -o "$work/info.time" env -u DISPLAY "$build/orvanel" \
      --info "$work/ring.lum" >/dev/null
  seconds=$(tail -n 1 "$work/info.time")
  awk -v n="$points" -v s="$seconds" -v p="$previous" 'BEGIN {
      printf "orvanel --info of %d points: %.2f s", n, s
      if (p != "") printf ", %.1f times the tenth", s / (p > 0.005 ? p : 0.005)
      printf "\n"
  }'
  previous=$seconds
done
