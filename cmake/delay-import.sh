#!/usr/bin/env bash
# Makes a delay-import library of a system library from MinGW-w64's import library:
#   delay-import.sh TOOL_PREFIX COMPILER NAME OUTPUT
# The program linked with it loads NAME.dll when it first calls one of its functions.
set -euo pipefail
prefix=$1 compiler=$2 name=$3 output=$4
imports=$("$compiler" -print-file-name="lib$name.a")
def=$output.def
{
    echo "LIBRARY $name.dll"
    echo "EXPORTS"
    "$prefix-nm" -g "$imports" | sed -n 's/^.* I __imp_\(.*\)$/\1/p' | sort -u
} >"$def"
"$prefix-dlltool" --input-def "$def" --dllname "$name.dll" --output-delaylib "$output"
