#!/usr/bin/env bash
# The Debian package as it is installed and as a normal user meets it: its contents, its menu
# entries, AppStream metadata and manual pages as their validators see them, lintian, and the
# installed Pemra player keeping its window and resume data in the user's own settings file.
#
# installed_package_test.sh PACKAGE.deb CLIP
#
# The package is unpacked into a temporary root (dpkg-deb -x) and its player runs from there on a
# display of its own (Xvfb), as an unprivileged user when this runs as the superuser, so that the
# program's folder refuses writes as an installed one does. Ends non-zero on any failure.
set -euo pipefail

if [[ "${1:-}" != --inside ]]; then
    [[ $# -eq 2 ]] || { echo "usage: $0 PACKAGE.deb CLIP" >&2; exit 2; }
    work=$(mktemp -d)
    trap 'chmod -R u+w "$work" 2>/dev/null; rm -rf "$work"' EXIT
    chmod 755 "$work"
    # The display's cookie must be readable by the user the player runs as.
    xvfb-run -a -f "$work/Xauthority" -s "-screen 0 1280x1024x24 -nolisten tcp" \
        "$0" --inside "$(readlink -f "$1")" "$(readlink -f "$2")" "$work"
    exit
fi
deb=$2 clip=$3 work=$4
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }
ok() { echo "ok: $*"; }

# Runs the command until it succeeds or the seconds pass.
wait_for() {
    local seconds=$1
    shift
    local deadline=$((SECONDS + seconds))
    until "$@"; do
        ((SECONDS < deadline)) || return 1
        sleep 0.1
    done
}

programs=(NorvalentWMP3TE NorvalentWMP3TEPemra NorvalentWMP3TEKOVEX NorvalentWMP3TEDask NorvalentWMP3set)
root=$work/root
dpkg-deb -x "$deb" "$root"
folder=$root/usr/lib/norvalent-wmp3

# --- Contents -------------------------------------------------------------------------------
for program in "${programs[@]}"; do
    [[ -x $folder/$program && -L $root/usr/bin/$program ]] || fail "$program or its command missing"
    [[ $(readlink -f "$root/usr/bin/$program") == "$folder/$program" ]] ||
        fail "/usr/bin/$program does not lead to the program"
done
[[ -f $folder/icon/mp3.ico && -f $folder/icon/asx.ico ]] || fail "the icon folder is missing"
for size in 16 22 24 32 48 64 128 256; do
    [[ -f $root/usr/share/icons/hicolor/${size}x${size}/apps/norvalent-wmp3.png ]] ||
        fail "no ${size}px icon"
done
entries=("$root"/usr/share/applications/*.desktop)
((${#entries[@]} == 5)) || fail "${#entries[@]} menu entries, not 5"
grep -q '^MimeType=.*audio/mpeg;' "$root/usr/share/applications/norvalent-wmp3-standard.desktop" ||
    fail "the standard player's entry does not open mp3 files"
for language in ja en; do
    [[ -f $root/usr/share/doc/norvalent-wmp3/README-$language.txt.gz ]] || fail "no read-me ($language)"
done
ok "contents"

# --- Validators -----------------------------------------------------------------------------
for entry in "${entries[@]}"; do
    desktop-file-validate "$entry" | grep -v ': hint: ' && fail "desktop-file-validate $entry"
done
appstreamcli validate --no-net "$root"/usr/share/metainfo/*.metainfo.xml || fail "appstreamcli"
# Every command's manual page, in both languages, as man formats it: no complaint from groff.
for program in "${programs[@]}"; do
    for page in "$root/usr/share/man/man1/$program.1.gz" "$root/usr/share/man/ja/man1/$program.1.gz"; do
        complaints=$(LC_ALL=C.UTF-8 man --warnings -E UTF-8 -l -Tutf8 -Z "$page" 2>&1 >/dev/null) ||
            complaints+=" (man failed)"
        [[ -z $complaints ]] || fail "${page#"$root"}: $complaints"
    done
done
lintian_output=$(lintian --tag-display-limit 0 "$deb" 2>&1 || true)
echo "$lintian_output"
# A first upload closes no bug report; anything else lintian finds is a fault of the package.
grep -E '^[EW]: ' <<<"$lintian_output" | grep -qv ' initial-upload-closes-no-bugs' &&
    fail "lintian reports errors or warnings"
ok "validators"

# --- The installed player, as a normal user ---------------------------------------------------
home=$work/home
mkdir -p "$home/run" "$home/media"
chmod 700 "$home/run"
cp "$clip" "$home/media/sample.mkv"
# Settings an administrator put beside the programs, read-only: the user reads them until the
# first write starts the user's own file from them.
printf '[Norvalent WMP 3]\nScreenInfoSave=1\nResumePlay=1\n' >"$folder/nwmpset.ini"
chmod 444 "$folder/nwmpset.ini"
provided=$(cat "$folder/nwmpset.ini")
if [[ $(id -u) -eq 0 ]]; then
    chown -R 65534:65534 "$home"
    chmod 644 "$XAUTHORITY"
    as_user=(setpriv --reuid=65534 --regid=65534 --clear-groups --)
else
    chmod -R a-w "$folder"
    as_user=()
fi
user_settings=$home/.config/norvalent-wmp3/nwmpset.ini

start_player() {
    "${as_user[@]}" env -i HOME="$home" XDG_RUNTIME_DIR="$home/run" DISPLAY="$DISPLAY" \
        XAUTHORITY="$XAUTHORITY" PATH=/usr/bin:/bin QT_QPA_PLATFORM=xcb LIBGL_ALWAYS_SOFTWARE=1 \
        dbus-run-session -- "$root/usr/bin/NorvalentWMP3TEPemra" "$@" >>"$work/player.log" 2>&1 &
    player=$!
}
find_window() {
    local id
    for id in $(xdotool search --onlyvisible --classname NorvalentWMP3TEPemra 2>/dev/null); do
        eval "$(xdotool getwindowgeometry --shell "$id")"
        if ((HEIGHT > 100)); then
            window=$id
            return 0
        fi
    done
    return 1
}
title_matches() { [[ $(xdotool getwindowname "$window" 2>/dev/null) =~ $1 ]]; }
ended() { ! kill -0 "$player" 2>/dev/null; }
stored() { sed -n "/^\[$1\]/,/^\[/s/^$2=//p" "$user_settings" 2>/dev/null | head -1; }
quit_player() {
    xdotool windowfocus --sync "$window" key Escape
    wait_for 15 ended || { fail "the player did not end on Esc"; kill "$player"; }
}

start_player "$home/media/sample.mkv"
if wait_for 30 find_window && wait_for 20 title_matches '^sample\.mkv \[00:0[12]/00:03\]$'; then
    xdotool windowmove --sync "$window" 200 150
    eval "$(xdotool getwindowgeometry --shell "$window")"
    place="$X,$Y ${WIDTH}x$HEIGHT"
    quit_player
    [[ $(stored ResumeInfo FilePath) == "$home/media/sample.mkv" ]] ||
        fail "the clip is not stored in the user's file"
    position=$(stored ResumeInfo Position)
    [[ $(stored Screen Left) == $((200 * 15)) && $(stored Screen Top) == $((150 * 15)) ]] ||
        fail "the window's place is not stored"
    [[ $(cat "$folder/nwmpset.ini") == "$provided" ]] || fail "the provided settings changed"
    [[ ! -e $home/.config/norvalent-wmp3 || $(stat -c %a "$home/.config/norvalent-wmp3") == 700 ]] ||
        fail "the user's settings folder is open to others"

    start_player
    if wait_for 30 find_window && wait_for 20 title_matches '^sample\.mkv \[00:0[0-9]/00:03\]$'; then
        caption=$(xdotool getwindowname "$window")
        eval "$(xdotool getwindowgeometry --shell "$window")"
        [[ "$X,$Y ${WIDTH}x$HEIGHT" == "$place" ]] || fail "opened at $X,$Y ${WIDTH}x$HEIGHT, not $place"
        [[ $caption =~ \[00:0([0-9])/ && ${BASH_REMATCH[1]} -ge ${position:-99} ]] ||
            fail "resumed at '$caption', stored position $position"
        quit_player
        ok "the installed player resumes and keeps its place ($place, position $position)"
    else
        fail "the second run did not resume the clip"
    fi
else
    fail "the installed player did not play the clip"
fi
if ! ended; then
    kill "$player" 2>/dev/null || true
fi
if ((failures > 0)); then
    echo "--- player output" >&2
    cat "$work/player.log" >&2 || true
    echo "--- user's settings" >&2
    cat "$user_settings" >&2 || true
fi

echo "package: $(basename "$deb"), $(du -k "$deb" | cut -f1) KiB"
echo "Depends: $(dpkg-deb -f "$deb" Depends)"
((failures == 0)) && echo "installed package: all passed" || echo "installed package: $failures failed"
exit $((failures > 0))
