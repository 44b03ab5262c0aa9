#!/usr/bin/env bash
# What replacing a running player costs a new start: the time from starting the player program
# until its window is on the display, once beside a running player of another user that it
# does not replace (the reference: the same load on the machine, no hand-off) and once with a
# running player that it replaces (NotMultiStart=1), and in that case also until the replaced
# player's process has ended. The two kinds take turns; the medians are printed with the cost
# of replacing (replacing minus reference) and the ratio replacing/reference.
#
#   bench/hand_off.sh [PLAYER_PROGRAM] [RUNS]
#
# PLAYER_PROGRAM defaults to build-bench/bin/NorvalentWMP3TEPemra (cmake --preset bench &&
# cmake --build --preset bench). Without DISPLAY the script starts one Xvfb for all runs.
# The window's appearance is taken from the display itself: xev watches the root window, and
# each map of a top-level window is stamped as it arrives, so polling adds no delay.
# Needs: ffmpeg, xev, xprop, xvfb-run when there is no display.
set -euo pipefail

here="$(cd "$(dirname "$(readlink -f "$0")")" && pwd)"
player="${1:-$here/../build-bench/bin/NorvalentWMP3TEPemra}"
runs="${2:-7}"
limit=20  # seconds a window may take before the run counts as failed

source "$here/../tools/setup-debian.sh"
nwmp_install_packages xvfb xauth
if [[ -z "${DISPLAY:-}" ]]; then
    exec xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp" "$0" "$player" "$runs"
fi
# A session bus of its own, as a desktop has: without one every start would launch a bus first.
if [[ -z "${DBUS_SESSION_BUS_ADDRESS:-}" ]] && command -v dbus-run-session >/dev/null; then
    exec dbus-run-session -- "$0" "$player" "$runs"
fi
nwmp_install_packages ffmpeg x11-utils
for tool in ffmpeg xev xprop; do
    command -v "$tool" >/dev/null || { echo "error: $tool is missing" >&2; exit 1; }
done
[[ -x "$player" ]] || { echo "error: no player program at $player" >&2; exit 1; }

work="$(mktemp -d)"
pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    # Players of an interrupted run: only processes of this run's own copy of the program.
    for proc in /proc/[0-9]*; do
        [[ "$(readlink "$proc/exe" 2>/dev/null)" == "${ours:-none}" ]] && kill "${proc#/proc/}"
    done 2>/dev/null || true
    wait 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

clip="$work/clip.mkv"
ffmpeg -hide_banner -loglevel error -f lavfi -i "testsrc=size=320x240:rate=25:duration=30" \
    -f lavfi -i "sine=frequency=440:duration=30:sample_rate=44100" \
    -c:v mpeg4 -q:v 5 -pix_fmt yuv420p -c:a libmp3lame -b:a 64k -shortest "$clip"

# One copy of the player, as an installed player with hand-off, resume and stored geometry on:
# the replaced player saves what a user's player saves when it is closed.
install="$work/player"
mkdir -p "$install" "$work/run" "$work/run-other" "$work/home"
chmod 700 "$work/run" "$work/run-other"
cp "$player" "$install/"
printf '[Norvalent WMP 3]\nNotMultiStart=1\nResumePlay=1\nScreenInfoSave=1\n' \
    >"$install/nwmpset.ini"
ours="$install/$(basename "$player")"
printf 'pcm.!default { type null }\n' >"$work/home/.asoundrc"

# Every map of a top-level window, stamped with the time it arrived.
maps="$work/maps"
: >"$maps"
stdbuf -oL xev -root -event substructure > >(while IFS= read -r line; do
    [[ "$line" == *"window 0x"*", override"* ]] && printf '%s %s\n' "${EPOCHREALTIME/./}" "$line"
done >>"$maps") &
pids+=($!) # xev itself: the stamping loop ends with it
sleep 0.5  # xev is watching before the first start

# Times in microseconds, from bash's own clock: no process is started to read it.
now() { echo "${EPOCHREALTIME/./}"; }

start_player() {  # PID of a new player on the clip, in the background; runtime: its user's
    env HOME="$work/home" XDG_RUNTIME_DIR="${runtime:-$work/run}" "$ours" "$clip" \
        >>"$work/player.log" 2>&1 &
    echo $!
}

# mapped_since PID LINE: the time the first window of PID was mapped, looking at the maps from
# line LINE of the log on, waited for. The waiting looks rarely and cheaply, since the time
# comes from the stamp and every process started here would slow the player it measures.
mapped_since() {
    local pid="$1" from="$2" deadline=$((SECONDS + limit)) stamp window
    while ((SECONDS < deadline)); do
        sleep 0.25
        while read -r stamp window; do
            if xprop -id "$window" _NET_WM_PID 2>/dev/null | grep -q " = $pid\$"; then
                echo "$stamp"
                return 0
            fi
        done < <(tail -n +"$from" "$maps" |
            sed -n 's/^\([0-9.]*\) .*event 0x[0-9a-f]*, window \(0x[0-9a-f]*\), override.*/\1 \2/p')
        from=$(($(wc -l <"$maps") + 1))
    done
    return 1
}

map_line() { echo $(($(wc -l <"$maps") + 1)); }

# The players are not this shell's children (each starts in a subshell), and a reaped or
# unreaped ended process must both count as ended.
alive() {
    local status
    read -r status 2>/dev/null <"/proc/$1/stat" || return 1
    [[ "$status" != *") Z "* && "$status" != *") X "* ]]
}

end_player() {
    kill "$1" 2>/dev/null || true
    for ((w = 0; w < limit * 50; w++)); do alive "$1" || break; sleep 0.02; done
    rm -f "$work/run/norvalent-wmp3/"* "$work/run-other/norvalent-wmp3/"*
}

ms() { echo $((($2 - $1) / 1000)); }

failed=0
plain_run() {  # beside a running player that it does not replace: another user's
    local from t0 pid neighbour shown
    from="$(map_line)"
    neighbour="$(runtime="$work/run-other" start_player)"
    mapped_since "$neighbour" "$from" >/dev/null || true
    sleep 2
    from="$(map_line)"
    t0="$(now)"
    pid="$(start_player)"
    if shown="$(mapped_since "$pid" "$from")"; then
        ms "$t0" "$shown" >>"$work/plain"
    else
        failed=$((failed + 1))
    fi
    end_player "$neighbour"
    end_player "$pid"
}

replacing_run() {  # a running player that has shown its window and settled
    local from t0 pid old shown gone_at=""
    from="$(map_line)"
    old="$(start_player)"
    mapped_since "$old" "$from" >/dev/null || true
    sleep 2
    from="$(map_line)"
    t0="$(now)"
    pid="$(start_player)"
    for ((w = 0; w < limit * 200; w++)); do
        alive "$old" || { gone_at="$(now)"; break; }
        sleep 0.01
    done
    if shown="$(mapped_since "$pid" "$from")"; then
        ms "$t0" "$shown" >>"$work/replacing"
    else
        failed=$((failed + 1))
    fi
    if [[ -n "$gone_at" ]]; then
        ms "$t0" "$gone_at" >>"$work/gone"
    else
        failed=$((failed + 1))
    fi
    end_player "$old"
    end_player "$pid"
}

# Both kinds take turns at going first, so neither always follows the other.
for ((i = 1; i <= runs; i++)); do
    if ((i % 2)); then
        plain_run
        replacing_run
    else
        replacing_run
        plain_run
    fi
done

median() {  # of the numbers in $work/NAME
    sort -n "$work/$1" 2>/dev/null | awk '{v[NR]=$1} END {
        if (NR == 0) print "n/a"; else if (NR % 2) print v[(NR + 1) / 2];
        else print (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}

plain="$(median plain)"
replacing="$(median replacing)"
gone="$(median gone)"
echo "runs: $runs each, taking turns; clip: 30 s 320x240 mpeg4 + mp3; failed runs: $failed"
printf '%-40s %8s\n' "median, milliseconds" ""
printf '%-40s %8s\n' "start to window, beside a player" "$plain"
printf '%-40s %8s\n' "start to window, replacing a player" "$replacing"
printf '%-40s %8s\n' "start to replaced player ended" "$gone"
printf '%-40s %8s   (goal: at most 150)\n' "cost of replacing (replacing - beside)" \
    "$(awk -v a="$replacing" -v b="$plain" 'BEGIN { printf "%.0f", a - b }')"
printf '%-40s %8s\n' "ratio replacing/beside" \
    "$(awk -v a="$replacing" -v b="$plain" 'BEGIN { printf "%.2f", a / b }')"
# Every run, in order, to show how noisy the machine was.
for kind in plain replacing gone; do
    printf '%-10s %s\n' "$kind:" "$(tr '\n' ' ' <"$work/$kind" 2>/dev/null)"
done
