#!/usr/bin/env bash
# The README's tournament batch file, run as a launcher runs it (cmd /c) under Wine in the test
# prefix: it ends with 0 when the set was played and with Kestrine's own code when not.
set -euo pipefail
build=$1 source=$2
work=$(mktemp -d)
windows() { echo "Z:$(echo "$1" | tr / '\\')"; }
registry() { "$source/cmake/wine-run.sh" reg "$@" /reg:32 >/dev/null 2>&1; }
trap 'registry delete "HKLM\\Software\\Brellix\\Ostravane" /f || true; rm -rf "$work"' EXIT

mkdir -p "$work/game/Assets/Scripts"
printf '[Mul_Kestrine]\r\n' >"$work/game/Assets/Scripts/scripts.ini"
registry add 'HKLM\Software\Brellix\Ostravane' /v Directory /t REG_SZ /d "$(windows "$work/game/")" /f
# The batch file as the README gives it, with this build's program and a set of the test's.
awk '/^    @echo off/ { on = 1 } on { print substr($0, 5) } on && /^    exit/ { exit }' \
    "$source/README.md" |
    sed -e "s|C:\\\\Tools\\\\kestrine.exe|$(windows "$build/kestrine.exe" | sed 's/\\/\\\\/g')|" \
        -e "s|\\\\\\\\host\\\\sets\\\\final.ini|$(windows "$work/final.ini" | sed 's/\\/\\\\/g')|" \
        -e 's/$/\r/' >"$work/tournament.bat"
grep -q 'kestrine.exe" /play "Z:' "$work/tournament.bat" || { echo "batch file not found"; exit 1; }

run() { (cd "$work" && "$source/cmake/wine-run.sh" cmd /c tournament.bat 2>&1) && code=0 || code=$?; }
status=0
printf '[Mul_Kestrine]\r\nGameSet=Final\r\nshipSettings=4\r\n' >"$work/final.ini"
run >"$work/out.txt"
grep -q '^Played "Final"' "$work/out.txt" && [ "$code" = 0 ] ||
    { echo "played: exit $code"; cat "$work/out.txt"; status=1; }
rm "$work/final.ini"
run >"$work/out.txt"
grep -q 'could not set this machine up: exit code 3\.' "$work/out.txt" && [ "$code" = 3 ] ||
    { echo "missing set: exit $code"; cat "$work/out.txt"; status=1; }
exit $status
