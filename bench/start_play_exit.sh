#!/usr/bin/env bash
# Whole-process wall time and peak memory (maximum resident set) to start, play a one-second
# clip to its end and exit: our Pemra player (PlayEndExitPlayer=1 in its copy's nwmpset.ini)
# against the mpv command on the same file, both showing the picture in a window on the same
# display and with sound going nowhere. Runs alternate between the two; the medians are printed
# side by side with the ratios ours/mpv.
#
#   bench/start_play_exit.sh [PLAYER_PROGRAM] [RUNS]
#
# PLAYER_PROGRAM defaults to build-bench/bin/NorvalentWMP3TEPemra (cmake --preset bench &&
# cmake --build --preset bench). Without DISPLAY the script starts one Xvfb for all runs.
# Needs: ffmpeg, mpv, GNU time (/usr/bin/time), xvfb-run when there is no display.
set -euo pipefail

here="$(cd "$(dirname "$(readlink -f "$0")")" && pwd)"
player="${1:-$here/../build-bench/bin/NorvalentWMP3TEPemra}"
runs="${2:-5}"
# mpv's gpu output refuses Mesa's software renderer; its plain X11 output shows a window anywhere.
mpv_video="${MPV_VO:-x11}"
# mpv is told to send its sound nowhere. An empty MPV_AO lets it look for a sound output as our
# player must (it has no setting for one): the sound servers, then ALSA's default, which here
# discards the sound.
mpv_audio="${MPV_AO-null}"
mpv_audio_option=()
[[ -n "$mpv_audio" ]] && mpv_audio_option=(--ao="$mpv_audio")
limit=60  # seconds a run may take before it counts as hung

source "$here/../tools/setup-debian.sh"
nwmp_install_packages xvfb xauth
if [[ -z "${DISPLAY:-}" ]]; then
    exec xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp" "$0" "$player" "$runs"
fi
# The comparison's own tools, installed like every other package of the project.
nwmp_install_packages ffmpeg mpv time
for tool in ffmpeg mpv /usr/bin/time; do
    command -v "$tool" >/dev/null || { echo "error: $tool is missing" >&2; exit 1; }
done
[[ -x "$player" ]] || { echo "error: no player program at $player" >&2; exit 1; }

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
clip="$work/clip.mkv"
ffmpeg -hide_banner -loglevel error -f lavfi -i "testsrc=size=320x240:rate=25:duration=1" \
    -f lavfi -i "sine=frequency=440:duration=1:sample_rate=44100" \
    -c:v mpeg4 -q:v 5 -pix_fmt yuv420p -c:a libmp3lame -b:a 64k -shortest "$clip"

# The player reads nwmpset.ini beside its own program file, so it runs from a copy.
install="$work/player"
mkdir -p "$install" "$work/run" "$work/home"
chmod 700 "$work/run"
cp "$player" "$install/"
printf '[Norvalent WMP 3]\nPlayEndExitPlayer=1\n' >"$install/nwmpset.ini"
ours="$install/$(basename "$player")"
# The player has no setting for its sound output; where no sound card exists libmpv needs a
# device it can open, so ALSA's default device here is one that discards the sound.
printf 'pcm.!default { type null }\n' >"$work/home/.asoundrc"

# measure NAME COMMAND...: appends "seconds kilobytes status" to $work/NAME.
measure() {
    local name="$1"
    shift
    local status=0
    /usr/bin/time -f '%e %M' -o "$work/time.out" timeout "$limit" "$@" \
        >"$work/$name.log" 2>&1 || status=$?
    echo "$(tail -n 1 "$work/time.out") $status" >>"$work/$name"
    if [[ $status -ne 0 ]]; then
        echo "warning: $name run ended with status $status" >&2
    fi
}

for ((i = 1; i <= runs; i++)); do
    measure ours env HOME="$work/home" XDG_RUNTIME_DIR="$work/run" "$ours" "$clip"
    measure mpv env HOME="$work/home" XDG_RUNTIME_DIR="$work/run" \
        mpv --no-config "${mpv_audio_option[@]}" --vo="$mpv_video" --force-window=yes "$clip"
done

median() {  # column of $work/NAME
    sort -n -k"$2" "$work/$1" | awk -v c="$2" '{v[NR]=$c} END {
        if (NR % 2) print v[(NR + 1) / 2]; else print (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}

echo "runs: $runs each, interleaved; clip: 1 s 320x240 mpeg4 + mp3; mpv --vo=$mpv_video --ao=${mpv_audio:-(probed)}"
echo "failed runs: ours $(awk '$3 != 0' "$work/ours" | wc -l), mpv $(awk '$3 != 0' "$work/mpv" | wc -l)"
ours_time="$(median ours 1)"
mpv_time="$(median mpv 1)"
ours_mem="$(median ours 2)"
mpv_mem="$(median mpv 2)"
printf '%-22s %12s %12s %10s\n' "median" "ours" "mpv" "ours/mpv"
printf '%-22s %12s %12s %10s\n' "wall time (s)" "$ours_time" "$mpv_time" \
    "$(awk -v a="$ours_time" -v b="$mpv_time" 'BEGIN { printf "%.2f", a / b }')"
printf '%-22s %12s %12s %10s\n' "peak memory (KiB)" "$ours_mem" "$mpv_mem" \
    "$(awk -v a="$ours_mem" -v b="$mpv_mem" 'BEGIN { printf "%.2f", a / b }')"
