#!/usr/bin/env bash
# The real program's command line with no display: --help and --version work
# and exit 0, and a command line it does not understand prints the usage on
# standard error and exits 2 without GTK ever being started.
#   command_line.sh ORVANEL
set -euo pipefail
orvanel=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export HOME=$work/home XDG_CONFIG_HOME=$work/config
unset DISPLAY WAYLAND_DISPLAY
fail() { echo "command_line: $*" >&2; exit 1; }

"$orvanel" --help >"$work/out" 2>"$work/err" || fail "--help exited $?"
[ ! -s "$work/err" ] || fail "--help wrote to standard error: $(cat "$work/err")"
head -n 1 "$work/out" | grep -qx 'usage: orvanel \[PROFILE.lum\]' || fail "usage: $(head -n 1 "$work/out")"
for command in --info --export-pov --export-vrml --export-stl --export-svg --export-dxf \
               --export-template; do
  grep -q "^       orvanel $command " "$work/out" || fail "usage lacks $command"
done

version=$("$orvanel" --version) || fail "--version exited $?"
[ "$version" = "Orvanel 3.1.1.0" ] || fail "--version printed '$version'"

for misuse in --bogus "two.lum three.lum" "bowl.lum --display=:0"; do
  status=0
  # shellcheck disable=SC2086  # each case is a whole command line
  "$orvanel" $misuse >"$work/out" 2>"$work/err" || status=$?
  [ "$status" -eq 2 ] || fail "'$misuse' exited $status"
  [ ! -s "$work/out" ] || fail "'$misuse' wrote to standard output"
  grep -qx 'usage: orvanel \[PROFILE.lum\]' "$work/err" || fail "'$misuse': $(cat "$work/err")"
  ! grep -qi 'gtk' "$work/err" || fail "'$misuse' started GTK: $(cat "$work/err")"
done
[ ! -e "$work/config" ] && [ ! -e "$work/home" ] || fail "settings were written"
echo "command line: usage, version and refusals without a display"
