#!/bin/bash
# Puts the shipped i686 build (build/cross) into one zip for users:
# build/dist/Velmora-1.7.zip with a folder Velmora holding the editor, the
# player stub, the help file, the command-line tool, the sample procedure
# and a short read-me (CP932 with CR LF, as Notepad on a Japanese Windows
# expects it). The programs are stripped of their symbols.
set -euo pipefail
cd "$(dirname "$0")/.."

build=build/cross
out=build/dist
stage="$out/Velmora"
zip_file="$out/Velmora-1.7.zip"

files=("$build/app/Velmora.exe" "$build/app/Velmora.bin" "$build/app/Velmora.chm" "$build/cli/velmora-cli.exe"
       docs/sample.tre)
for file in "${files[@]}"; do
  [ -f "$file" ] || { echo "dist: $file is missing; build the cross preset first" >&2; exit 1; }
done

rm -rf "$stage" "$zip_file"
mkdir -p "$stage"
cp "${files[@]}" "$stage/"
# The programs users run, without the symbol tables the linker left in them
# (Velmora.bin is stripped when it is linked: every generated file carries it).
i686-w64-mingw32-strip --strip-all "$stage/Velmora.exe" "$stage/velmora-cli.exe"
python3 - resources/dist/readme.txt "$stage/readme.txt" <<'PY'
import sys
text = open(sys.argv[1], encoding="utf-8").read().replace("\r\n", "\n").replace("\n", "\r\n")
open(sys.argv[2], "wb").write(text.encode("cp932"))
PY
# -X: no Unix owners or extra time stamps, which Windows has no use for.
(cd "$out" && zip -q -X -r "$(basename "$zip_file")" Velmora)
echo "dist: $zip_file"
unzip -l "$zip_file"
