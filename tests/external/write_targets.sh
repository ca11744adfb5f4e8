#!/usr/bin/env bash
# Where the real program writes. Every kind of path an export may be given
# gets its outcome and no other file in the folder changes; an export stopped
# by a signal, or killed outright, leaves no temporary file behind once the
# next save into its folder is done.
#   write_targets.sh ORVANEL PROFILE.lum
set -euo pipefail
orvanel=$1
profile=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export HOME=$work/home XDG_CONFIG_HOME=$work/config
unset DISPLAY WAYLAND_DISPLAY
fail() { echo "write_targets: $*" >&2; exit 1; }

# The folder's entries but one: each name with its type, mode, size and
# link, then each regular file's content.
state() {
    (cd "$1" && find . -mindepth 1 ! -name "$2" -printf '%P %y %m %s %l\n' | sort &&
        find . -mindepth 1 -type f ! -name "$2" -printf '%P\n' | sort | xargs -r md5sum)
}

# Waits up to a minute for a condition, checked every tenth of a second.
wait_until() {
    for _ in $(seq 600); do
        if eval "$1"; then return 0; fi
        sleep 0.1
    done
    return 1
}

out=$work/out
mkdir -p "$out" "$work/ref"
cp "$profile" "$out/vase.lum"
ln -s vase.lum "$out/alias.lum"
"$orvanel" --export-stl "$work/ref/pipe" "$out/vase.lum"
devices=yes
if ! mknod "$out/null" c 1 3 2>/dev/null || ! mknod "$out/full" c 1 7 2>/dev/null; then
    devices=
    rm -f "$out/null" "$out/full"
    echo "write_targets: no device nodes can be made here; their cases are skipped"
fi
mkfifo "$out/pipe" "$out/lonely"
echo old >"$out/ro.stl"
chmod 444 "$out/ro.stl"
ln -s made.stl "$out/dangling.stl"
ln -s loop-b "$out/loop-a"
ln -s loop-a "$out/loop-b"
long=$(printf 'n%.0s' $(seq 251)).stl
mkdir "$out/folder.stl"

# output | options | exit status | second line on stderr | the entry that changes
cases=(
    "null||0||"
    "full||1|No space left on device|"
    "pipe||0||"
    "lonely||1|No program is reading from the pipe|"
    "vase.lum||1|$out/vase.lum is the profile being exported|"
    "alias.lum||1|$out/alias.lum is the profile being exported|"
    "ro.stl||1|$out/ro.stl is read-only|"
    "ro.stl|--force|0||ro.stl"
    "dangling.stl||0||made.stl"
    "loop-a||1|Too many levels of symbolic links|"
    "$long||0||$long"
    "folder.stl||1|Is a directory|"
)
for c in "${cases[@]}"; do
    IFS='|' read -r target options status reason changed <<<"$c"
    if [ -z "$devices" ] && { [ "$target" = null ] || [ "$target" = full ]; }; then continue; fi
    before=$(state "$out" "$changed")
    if [ "$target" = pipe ]; then
        # A reader that drains the pipe; holding it open for reading and
        # writing lets the export open it at once.
        exec 3<>"$out/pipe"
        cat <&3 >"$work/from_pipe" &
        reader=$!
    fi
    got=0
    "$orvanel" --export-stl "$out/$target" "$out/vase.lum" $options 2>"$work/err" || got=$?
    if [ "$target" = pipe ]; then
        exec 3>&-
        wait_until '[ "$(stat -c %s "$work/from_pipe")" -ge "$(stat -c %s "$work/ref/pipe")" ]' ||
            fail "the pipe gave $(stat -c %s "$work/from_pipe") bytes"
        kill "$reader"
        cmp -s "$work/from_pipe" "$work/ref/pipe" || fail "the pipe got other bytes"
    fi
    [ "$got" -eq "$status" ] || fail "$target: exit $got, not $status: $(cat "$work/err")"
    if [ -n "$reason" ]; then
        [ "$(sed -n 1p "$work/err")" = "   Error while saving file!" ] &&
            [ "$(sed -n 2p "$work/err")" = "$reason" ] || fail "$target: $(cat "$work/err")"
    fi
    after=$(state "$out" "$changed")
    [ "$before" = "$after" ] || fail "$target changed more: $(diff <(echo "$before") <(echo "$after"))"
    if [ -n "$changed" ]; then
        [ "$(head -c 8 "$out/$changed")" = "Orvanel " ] || fail "$target: $changed holds no export"
    fi
done
[ "$(stat -c %a "$out/ro.stl")" = 444 ] || fail "the forced export made ro.stl writable"
[ -L "$out/dangling.stl" ] || fail "the dangling link was replaced"

# A profile large enough that the export is still writing when it is stopped.
big=$work/big
mkdir "$big"
perl -e 'my $n = 2000; print pack("C", 8), "VOLDERAK", pack("l<4", 0, $n, 10, 0);
         print pack("l<4", 100 + $_ % 50, 10 + $_, 0, 0) for 0 .. $n - 1' >"$big/big.lum"
echo old >"$big/big.stl"
temporary() { find "$big" -name ".orvanel-$pid-*.tmp" "$@"; }
writing_or_gone() { [ -n "$(temporary -size +1M)" ] || ! kill -0 "$pid" 2>/dev/null; }
stop_export() {
    "$orvanel" --export-stl "$big/big.stl" "$big/big.lum" --sections 200 --steps 40 &
    pid=$!
    wait_until writing_or_gone || fail "no temporary file appeared"
    kill -0 "$pid" 2>/dev/null || fail "the export ended before it could be stopped"
    kill "-$1" "$pid"
    got=0
    wait "$pid" || got=$?
    [ "$(cat "$big/big.stl")" = old ] || fail "SIG$1 damaged the old file"
}

stop_export TERM
[ "$got" -eq 143 ] || fail "SIGTERM gave exit $got"
leftovers=$(find "$big" -name '.orvanel-*')
[ -z "$leftovers" ] || fail "SIGTERM left $leftovers"

stop_export KILL
[ "$got" -eq 137 ] || fail "SIGKILL gave exit $got"
[ -n "$(temporary)" ] || fail "SIGKILL left no temporary file to clean up"
"$orvanel" --export-stl "$big/small.stl" "$out/vase.lum"
leftovers=$(find "$big" -name '.orvanel-*')
[ -z "$leftovers" ] || fail "the next save left $leftovers"
echo "write targets: ${#cases[@]} paths, SIGTERM and SIGKILL: every outcome as it should be"
