#!/usr/bin/env bash
# The real program with settings files that are not what it wrote: each one
# lets the batch mode work and the window come up on the screen with no box,
# and the window's settings are written at exit beside the damaged file.
# Runs on an X server of its own (run-under-xvfb).
#   settings_files.sh ORVANEL PROFILE.lum
set -euo pipefail
orvanel=$1
profile=$2
work=$(mktemp -d)
trap 'kill "${pid:-}" 2>/dev/null || true; rm -rf "$work"' EXIT
fail() { echo "settings_files: $*" >&2; exit 1; }

# Waits up to SECONDS for a condition, checked every tenth of a second.
wait_until() {  # SECONDS COMMAND...
    local tries=$(($1 * 10))
    shift
    for _ in $(seq "$tries"); do
        if "$@"; then return 0; fi
        sleep 0.1
    done
    return 1
}
windows() { xdotool search --onlyvisible --pid "$pid" 2>/dev/null || true; }
main_window() { [ -n "$(xdotool search --onlyvisible --pid "$pid" --name ' - Orvanel$' 2>/dev/null)" ]; }
gone() { ! kill -0 "$pid" 2>/dev/null; }

make_settings() {  # CASE FILE
    mkdir -p "$(dirname "$2")"
    case $1 in
        folder) mkdir "$2" ;;
        pipe) mkfifo "$2" ;;
        zero) ln -s /dev/zero "$2" ;;
        empty-key) printf '[Settings]\n=5\nPenSize=3\n' >"$2" ;;
        duplicates) printf '[Settings]\nPenSize=3\nPenSize=4\n' >"$2" ;;
        50MB) { echo '[Settings]'; yes 'PenSize=3' | head -c 50M || true; } >"$2" ;;
        huge-rect) printf '[WindowPos]\nRect=0 0 32767 32767\n' >"$2" ;;
        max-rect) printf '[WindowPos]\nRect=2147483647 2147483647 2147483647 2147483647\n' >"$2" ;;
        garbage-rect) printf '[WindowPos]\nRect=abc\n' >"$2" ;;
    esac
}

# case | whether the file is kept aside as damaged
cases=(folder:yes pipe:yes zero:yes empty-key:yes duplicates:yes 50MB:yes huge-rect:no
       max-rect:no garbage-rect:no)
for c in "${cases[@]}"; do
    name=${c%%:*}
    damaged=${c#*:}
    export XDG_CONFIG_HOME=$work/$name HOME=$work/$name/home
    file=$XDG_CONFIG_HOME/Orvanel/Orvanel.conf
    make_settings "$name" "$file"
    kind=$(stat -c %F "$file")

    timeout 60 "$orvanel" --export-stl "$work/$name/out.stl" "$profile" ||
        fail "$name: the batch mode did not work"

    start=$(date +%s%N)
    "$orvanel" &
    pid=$!
    wait_until 60 main_window || fail "$name: no window"
    shown=$((($(date +%s%N) - start) / 1000000))
    w=$(xdotool search --onlyvisible --pid "$pid" --name ' - Orvanel$' | head -1)
    eval "$(xdotool getwindowgeometry --shell "$w")"
    [ "$X" -ge 0 ] && [ "$Y" -ge 0 ] && [ $((X + WIDTH)) -le 1280 ] &&
        [ $((Y + HEIGHT)) -le 1024 ] && [ "$WIDTH" -ge 100 ] && [ "$HEIGHT" -ge 100 ] ||
        fail "$name: the window is at $X,$Y, $WIDTH x $HEIGHT"
    [ "$(windows | wc -l)" -eq 1 ] || fail "$name: a box came up"

    # File > Exit, which writes the settings; a box would hold it up.
    for _ in $(seq 20); do
        xdotool windowfocus --sync "$w" key alt+f 2>/dev/null || true
        sleep 0.5
        xdotool key x 2>/dev/null || true
        if wait_until 5 gone; then break; fi
    done
    gone || fail "$name: File > Exit did not end the program"
    wait "$pid" || fail "$name: the window ended with a failure"

    [ "$(stat -c %F "$file")" = "regular file" ] && grep -q '^Rect=' "$file" ||
        fail "$name: no settings were written"
    grep -Eq '^Rect=-?[0-9]{3,4} -?[0-9]{3,4} -?[0-9]{3,4} -?[0-9]{3,4}$' "$file" ||
        fail "$name: $(grep '^Rect=' "$file") would not read back"
    if [ "$damaged" = yes ]; then
        [ "$(stat -c %F "$file.bad")" = "$kind" ] || fail "$name: the damaged file was not kept"
    else
        [ ! -e "$file.bad" ] || fail "$name: a sound file was put aside"
    fi
    echo "$name: window shown after $shown ms at $X,$Y, $WIDTH x $HEIGHT"
done
[ "$(stat -c %F /dev/zero)" = "character special file" ] || fail "/dev/zero was replaced"
echo "settings files: ${#cases[@]} cases, the window and the batch mode work with each"
