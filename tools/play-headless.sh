#!/usr/bin/env bash
# Runs the player on a display nobody sees: prints its caption once a second while it plays and
# saves a picture of its window when playback ends.
#
#   tools/play-headless.sh PLAYER FILE OUT.png
set -uo pipefail
player=$1 file=$2 picture=$3
grab=build/tools/nwmp-window-grab

# A runtime folder of its own, as a desktop session would give.
XDG_RUNTIME_DIR=$(mktemp -d)
export XDG_RUNTIME_DIR

"$player" "$file" &
pid=$!
trap 'kill "$pid" 2>/dev/null; rm -rf "$XDG_RUNTIME_DIR"' EXIT

window=
for _ in $(seq 1 100); do
    window=$(xdotool search --onlyvisible --pid "$pid" 2>/dev/null | head -n 1)
    [[ -n "$window" ]] && break
    kill -0 "$pid" 2>/dev/null || { echo "The player ended before it showed its window." >&2; exit 1; }
    sleep 0.1
done
[[ -n "$window" ]] || { echo "The player's window did not appear." >&2; exit 1; }

# Playback has ended when the caption shows the position at the duration, when the position
# has gone back to the start after moving on, or when the caption has shown play information and
# then not changed for three seconds.
seconds() { local t=$1; echo $((10#${t%%:*} * 60 + 10#${t##*:})); }
last= unchanged=0 started=0 furthest=0
for _ in $(seq 1 600); do
    kill -0 "$pid" 2>/dev/null || break
    caption=$(xdotool getwindowname "$window" 2>/dev/null) || break
    echo "$caption"
    if [[ "$caption" =~ \[([0-9:]+)/([0-9:]+)\] ]]; then
        started=1
        [[ "${BASH_REMATCH[1]}" == "${BASH_REMATCH[2]}" && "${BASH_REMATCH[2]}" != "00:00" ]] && break
        position=$(seconds "${BASH_REMATCH[1]}")
        ((position < furthest)) && break
        ((position > furthest)) && furthest=$position
    fi
    if [[ "$caption" == "$last" ]]; then
        unchanged=$((unchanged + 1))
        ((started && unchanged >= 3)) && break
    else
        unchanged=0
    fi
    last=$caption
    sleep 1
done

if "$grab" "$picture" "$window"; then
    echo "Saved a picture of the player's window to $picture"
fi
