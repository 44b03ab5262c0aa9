#!/usr/bin/env bash
# The Windows archive as a user unpacks it: one folder holding exactly the five programs, the
# read-me in two languages and the tool's "icon" folder with an icon per listed extension, a
# read-me that Notepad reads as it was written, and programs that need no DLL beyond the system's
# own (the archive ships nothing else, so a runtime DLL of the compiler would leave every program
# unable to start on a machine without it), each program built for the archive's architecture
# (-windows-x64: 64-bit, -windows-x86: 32-bit).
#
#   tests/package/windows_archive_test.sh ARCHIVE.zip
set -euo pipefail
archive=$(readlink -f "${1:?the archive}")
case "$archive" in
*-windows-x64.zip) format=pei-x86-64 ;;
*-windows-x86.zip) format=pei-i386 ;;
*) echo "FAIL: $archive names no architecture (-windows-x64 or -windows-x86)"; exit 1 ;;
esac
here="$(cd "$(dirname "$(readlink -f "$0")")" && pwd)"
icons="$here/../../platform/linux/association/icons"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
cmake -E tar xf "$archive"
folders=(*)
[[ ${#folders[@]} -eq 1 && -d ${folders[0]} ]] || { echo "FAIL: not one top folder: ${folders[*]}"; exit 1; }
cd "${folders[0]}"

status=0
expected=$( (printf '%s\n' NorvalentWMP3TE.exe NorvalentWMP3TEKOVEX.exe NorvalentWMP3TEPemra.exe \
                NorvalentWMP3TEDask.exe NorvalentWMP3set.exe README-ja.txt README-en.txt
             for icon in "$icons"/*.ico; do echo "icon/$(basename "$icon")"; done) | LC_ALL=C sort)
actual=$(find . -type f | sed 's|^\./||' | LC_ALL=C sort)
if [[ "$expected" != "$actual" ]]; then
    echo "FAIL: the archive's files differ from what ships:"
    diff <(echo "$expected") <(echo "$actual") || true
    status=1
fi

# The read-me as Notepad on Japanese Windows opens it: UTF-8 after its byte-order mark, CR LF.
for readme in README-*.txt; do
    [[ $(head -c 3 "$readme" | od -An -tx1) == " ef bb bf" ]] || { echo "FAIL: $readme: no mark"; status=1; }
    iconv -f UTF-8 -t UTF-8 "$readme" >/dev/null || { echo "FAIL: $readme is not UTF-8"; status=1; }
    lines=$(tr -cd '\n' <"$readme" | wc -c)
    [[ $lines -gt 0 && $lines -eq $(grep -c $'\r$' "$readme") && -z $(tail -c 1 "$readme" | tr -d '\n') ]] ||
        { echo "FAIL: $readme has lines that do not end in CR LF"; status=1; }
done

for program in *.exe; do
    if ! x86_64-w64-mingw32-objdump -f "$program" | grep -q "file format $format\$"; then
        echo "FAIL: $program is not $format: $(x86_64-w64-mingw32-objdump -f "$program" | grep format)"
        status=1
    fi
    foreign=$(x86_64-w64-mingw32-objdump -p "$program" | sed -n 's/^\s*DLL Name: //p' | grep -iv \
        -e '^kernel32' -e '^user32' -e '^gdi32' -e '^msvcrt' -e '^shell32' -e '^shlwapi' \
        -e '^ole32' -e '^oleaut32' -e '^advapi32' -e '^comctl32' -e '^comdlg32' -e '^atl' \
        -e '^version' -e '^uxtheme' -e '^api-ms-win-' || true)
    if [[ -n "$foreign" ]]; then
        echo "FAIL: $program needs DLLs that do not ship: $foreign"
        status=1
    fi
done
[[ $status -eq 0 ]] && echo "windows archive: all passed"
exit $status
