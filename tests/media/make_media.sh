#!/usr/bin/env bash
# Generates the small media files the engine tests and ./play use. Run once by hand when the set
# changes; the results are committed, so neither the build nor the tests need ffmpeg.
#
# Every clip is 1.5 seconds of a 440 Hz tone, with a 64x48 colour test picture where the format
# carries video; sample.mkv is a 3-second 160x120 clip for trying the player; long.mp3 and the
# picture*.avi clips last 12 seconds.
set -euo pipefail
cd "$(dirname "$(readlink -f "$0")")"

ff=(ffmpeg -hide_banner -loglevel error -y)
tone=(-f lavfi -i "sine=frequency=440:duration=1.5:sample_rate=22050")
picture=(-f lavfi -i "testsrc=size=64x48:rate=10:duration=1.5")
# Nothing of the generating machine (encoder version, creation time) ends up in the files.
plain=(-map_metadata -1 -fflags +bitexact -flags:v +bitexact -flags:a +bitexact)
small_mp3=(-c:a libmp3lame -b:a 32k -ac 1)
small_mpeg4=(-c:v mpeg4 -q:v 12 -g 100 -pix_fmt yuv420p)

"${ff[@]}" "${tone[@]}" "${plain[@]}" "${small_mp3[@]}" \
    -metadata title="テストの歌" -metadata artist="試験 演奏者" -id3v2_version 3 tagged.mp3
"${ff[@]}" "${tone[@]}" "${plain[@]}" "${small_mp3[@]}" -write_xing 0 -id3v2_version 0 untagged.mp3

"${ff[@]}" "${picture[@]}" "${tone[@]}" "${plain[@]}" "${small_mpeg4[@]}" "${small_mp3[@]}" \
    -metadata title="Clip Title" -metadata artist="Clip Author" -shortest tagged.avi
"${ff[@]}" "${picture[@]}" "${tone[@]}" "${plain[@]}" "${small_mpeg4[@]}" "${small_mp3[@]}" \
    -shortest untagged.avi

"${ff[@]}" -f lavfi -i "sine=frequency=440:duration=1.5:sample_rate=8000" "${plain[@]}" \
    -c:a pcm_u8 -ac 1 tone.wav

"${ff[@]}" -f lavfi -i "testsrc=size=64x48:rate=25:duration=1.5" "${tone[@]}" "${plain[@]}" \
    -c:v mpeg1video -q:v 12 -c:a mp2 -b:a 32k -ac 1 -ar 22050 -f mpeg clip.mpg
"${ff[@]}" "${picture[@]}" "${tone[@]}" "${plain[@]}" -c:v wmv2 -q:v 12 \
    -c:a wmav2 -b:a 32k -ac 1 -shortest clip.wmv
"${ff[@]}" "${picture[@]}" "${tone[@]}" "${plain[@]}" "${small_mpeg4[@]}" \
    -c:a aac -b:a 24k -ac 1 -shortest clip.mov

"${ff[@]}" -f lavfi -i "testsrc=size=160x120:rate=10:duration=3" \
    -f lavfi -i "sine=frequency=440:duration=3:sample_rate=22050" "${plain[@]}" \
    -c:v mpeg4 -q:v 8 -g 100 -pix_fmt yuv420p "${small_mp3[@]}" -shortest sample.mkv

# Longer clips: twelve seconds of sound alone, and pictures of the sizes a player is mostly given,
# for stepping through a clip and for fitting the window to the picture while it still plays.
"${ff[@]}" -f lavfi -i "sine=frequency=440:duration=12:sample_rate=8000" "${plain[@]}" \
    -c:a libmp3lame -b:a 8k -ac 1 -write_xing 0 -id3v2_version 0 long.mp3
for size in 320x240 640x480; do
    "${ff[@]}" -f lavfi -i "testsrc=size=${size}:rate=2:duration=12" "${plain[@]}" \
        -c:v mpeg4 -q:v 31 -g 100 -pix_fmt yuv420p "picture${size%x*}.avi"
done

# Play lists. The metafile is written the loose way such files are found in the wild: tags in
# mixed case, an unquoted attribute, an element left open.
printf '#EXTM3U\ntagged.mp3\ntone.wav\n' > list.m3u
cat > list.asx <<'ASX'
<ASX version="3.0">
<TITLE>Test list
<Entry>
  <Title>First entry</Title>
  <REF HREF="tagged.avi" />
</Entry>
<ENTRY><Ref href=tone.wav><title>Second entry</ENTRY>
<entry><ref href="untagged.mp3"/></entry>
</ASX>
ASX

ls -l
du -ch -- * | tail -1
