#!/usr/bin/env bash
# Builds the release package in the build tree BUILD_DIR, checks that it holds exactly the
# program, the README and the licence, and that the program in it starts under Wine and shows
# its form.  Usage: package-test.sh BUILD_DIR SOURCE_DIR
set -euo pipefail
build=$1 source=$2
cmake --build "$build" --target package kestrine_shoot >/dev/null
zip=$(ls "$build"/kestrine-*-win64.zip)
version=$(sed -n 's/^project(Kestrine VERSION \([0-9.]*\).*/\1/p' "$source/CMakeLists.txt")
[ "$(basename "$zip")" = "kestrine-$version-win64.zip" ] || {
    echo "unexpected package name $zip" >&2
    exit 1
}
check=$build/package-check
rm -rf "$check" && mkdir -p "$check/out"
(cd "$check" && cmake -E tar xf "$zip")
contents=$(cd "$check" && find . -type f ! -path './out/*' | sort | tr '\n' ' ')
[ "$contents" = "./LICENSE ./README.md ./kestrine.exe " ] || {
    echo "the package holds: $contents" >&2
    exit 1
}
cmp "$check/README.md" "$source/README.md"
cmp "$check/LICENSE" "$source/LICENSE"

# The libraries of the windows, of the file dialogs, of the shell and of accessibility load
# when the form or a screen reader first needs them: a command run from a script
# (kestrine.exe /play FILE) loads none of them.
imports=$(x86_64-w64-mingw32-objdump -p "$check/kestrine.exe" | sed -n 's/^\s*DLL Name: //p' |
    tr 'A-Z' 'a-z' | sort | tr '\n' ' ')
case " $imports" in
*" user32.dll "* | *" gdi32.dll "* | *" comctl32.dll "* | *" comdlg32.dll "* | *" shell32.dll "* | \
    *" oleacc.dll "* | *" ole32.dll "* | *" oleaut32.dll "*)
    echo "kestrine.exe loads at start: $imports" >&2
    exit 1
    ;;
esac

# The packaged program starts and shows its form (on a game folder that holds nothing yet).
run=$(dirname "$0")/wine-run.sh
key='HKLM\Software\Brellix\Ostravane'
(cd / && "$run" reg add "$key" /v Directory /d 'C:\kestrine-package-check' /f /reg:32) >/dev/null 2>&1
status=0
(cd "$check" && "$run" "$build/shoot.exe" kestrine.exe out) || status=$?
(cd / && "$run" reg delete "$key" /f /reg:32) >/dev/null 2>&1 || true
[ $status -eq 0 ] && [ -s "$check/out/kestrine.bmp" ] || {
    echo "the packaged kestrine.exe did not show its form" >&2
    exit 1
}
echo "package $(basename "$zip") holds $contents and starts, loading $imports"
