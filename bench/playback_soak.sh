#!/usr/bin/env bash
# Resident memory over a long playback: our Pemra player and the mpv command play the same
# short clip over and over, side by side on the same display, for MINUTES minutes (ten by
# default). Each one's resident set is sampled every few seconds; the growth per hour is the
# slope of a straight line fitted to the samples after the first minute (when caches and
# buffers have filled). A player whose memory stays flat shows a growth near 0.
#
#   bench/playback_soak.sh [PLAYER_PROGRAM] [MINUTES]
#
# Our player repeats by its own key L, which also switches its end-of-playback exit off: its
# settings ask it to end at the end of the clip, so a player that did not take the key is seen
# to have ended and the run fails; so does a player whose caption (which shows the position)
# stops changing. PLAYER_PROGRAM defaults to build-bench/bin/NorvalentWMP3TEPemra
# (cmake --preset bench && cmake --build --preset bench). Without DISPLAY the script starts one
# Xvfb for the run.
# Needs: ffmpeg, mpv, xdotool, xvfb-run when there is no display.
set -euo pipefail

here="$(cd "$(dirname "$(readlink -f "$0")")" && pwd)"
player="${1:-$here/../build-bench/bin/NorvalentWMP3TEPemra}"
minutes="${2:-10}"
# mpv's gpu output refuses Mesa's software renderer; its plain X11 output shows a window anywhere.
mpv_video="${MPV_VO:-x11}"
interval=5    # seconds between samples
settle=60     # seconds left out of the fit
clip_seconds=20

source "$here/../tools/setup-debian.sh"
nwmp_install_packages xvfb xauth
if [[ -z "${DISPLAY:-}" ]]; then
    exec xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp" "$0" "$player" "$minutes"
fi
nwmp_install_packages ffmpeg mpv xdotool
for tool in ffmpeg mpv xdotool; do
    command -v "$tool" >/dev/null || { echo "error: $tool is missing" >&2; exit 1; }
done
[[ -x "$player" ]] || { echo "error: no player program at $player" >&2; exit 1; }
(( minutes * 60 > settle + 4 * interval )) || { echo "error: too short a run" >&2; exit 1; }

work="$(mktemp -d)"
ours_pid=""
mpv_pid=""
finish() {
    for pid in $ours_pid $mpv_pid; do
        kill "$pid" 2>/dev/null || true
    done
    wait 2>/dev/null || true
    rm -rf "$work"
}
trap finish EXIT
# NWMP_SOAK_KEEP=FILE keeps the samples ("seconds ours-KiB mpv-KiB" per line) for a closer look.
keep="${NWMP_SOAK_KEEP:-}"

clip="$work/clip.mkv"
ffmpeg -hide_banner -loglevel error -f lavfi -i "testsrc=size=320x240:rate=25:duration=$clip_seconds" \
    -f lavfi -i "sine=frequency=440:duration=$clip_seconds:sample_rate=44100" \
    -c:v mpeg4 -q:v 5 -pix_fmt yuv420p -c:a libmp3lame -b:a 64k -shortest "$clip"

# The player reads nwmpset.ini beside its own program file, so it runs from a copy.
install="$work/player"
mkdir -p "$install" "$work/run" "$work/home"
chmod 700 "$work/run"
cp "$player" "$install/"
printf '[Norvalent WMP 3]\nPlayEndExitPlayer=1\n' >"$install/nwmpset.ini"
ours="$install/$(basename "$player")"
# Sound goes nowhere, as mpv's --ao=null: with no device it can open (no PipeWire or PulseAudio
# server, no ALSA default device) libmpv falls back to its null output. ALSA's "null" device is
# no such stand-in: libmpv stalls on it when the clip starts over.
printf 'pcm.!default { type hw; card 99 }\n' >"$work/home/.asoundrc"
env HOME="$work/home" XDG_RUNTIME_DIR="$work/run" PIPEWIRE_REMOTE=none PULSE_SERVER=none \
    "$ours" "$clip" >"$work/ours.log" 2>&1 &
ours_pid=$!
mpv --no-config --ao=null --vo="$mpv_video" --force-window=yes --loop-file=inf "$clip" \
    >"$work/mpv.log" 2>&1 &
mpv_pid=$!

# Key L on our player's window: repeat without end.
window="$(timeout 20 xdotool search --sync --onlyvisible --pid "$ours_pid" | head -n 1)" || true
[[ -n "$window" ]] || { echo "error: our player showed no window" >&2; exit 1; }
xdotool windowfocus --sync "$window" key --clearmodifiers l

rss_kib() { awk '/^VmRSS:/ { print $2 }' "/proc/$1/status" 2>/dev/null; }

: >"$work/ours.rss"
: >"$work/mpv.rss"
captions=()
start=$SECONDS
while (( SECONDS - start < minutes * 60 )); do
    now=$((SECONDS - start))
    for name in ours mpv; do
        pid_var="${name}_pid"
        kib="$(rss_kib "${!pid_var}")"
        if [[ -z "$kib" ]]; then
            echo "error: $name ended after $now s (see its log below)" >&2
            cat "$work/$name.log" >&2
            exit 1
        fi
        echo "$now $kib" >>"$work/$name.rss"
    done
    # Our caption shows the position while it plays: unchanged for four samples means stalled.
    captions+=("$(xdotool getwindowname "$window" 2>/dev/null || true)")
    if (( ${#captions[@]} >= 4 )) && [[ "${captions[-1]}" == "${captions[-4]}" &&
        "${captions[-1]}" == "${captions[-2]}" && "${captions[-1]}" == "${captions[-3]}" ]]; then
        echo "error: our player stopped playing after $now s (caption: ${captions[-1]})" >&2
        exit 1
    fi
    sleep "$interval"
done

# slope NAME: least-squares growth of the samples after the settling time, in MiB per hour.
slope() {
    awk -v from="$settle" '$1 >= from { n++; sx += $1; sy += $2; sxx += $1 * $1; sxy += $1 * $2 }
        END { d = n * sxx - sx * sx; printf "%.2f", (d > 0 ? (n * sxy - sx * sy) / d * 3600 / 1024 : 0) }' \
        "$work/$1.rss"
}
first_after() { awk -v from="$settle" '$1 >= from { printf "%.1f", $2 / 1024; exit }' "$work/$1.rss"; }
last() { awk 'END { printf "%.1f", $2 / 1024 }' "$work/$1.rss"; }

if [[ -n "$keep" ]]; then
    join "$work/ours.rss" "$work/mpv.rss" >"$keep"
fi
ours_slope="$(slope ours)"
mpv_slope="$(slope mpv)"
echo "soak: $minutes min, ${clip_seconds} s 320x240 mpeg4 + mp3 clip repeating, samples every" \
    "$interval s, fit after the first $settle s; mpv --vo=$mpv_video --ao=null"
printf '%-8s %14s %14s %16s\n' "" "RSS at ${settle} s" "RSS at end" "growth"
printf '%-8s %11s MiB %10s MiB %11s MiB/h\n' ours "$(first_after ours)" "$(last ours)" "$ours_slope"
printf '%-8s %11s MiB %10s MiB %11s MiB/h\n' mpv "$(first_after mpv)" "$(last mpv)" "$mpv_slope"
# A ratio of two growths near 0 says nothing; the difference is the figure that counts.
awk -v a="$ours_slope" -v b="$mpv_slope" 'BEGIN {
    printf "ours - mpv: %.2f MiB/h", a - b
    if (b >= 1) printf "; ours/mpv: %.2f", a / b
    printf "\n" }'
