#!/usr/bin/env bash
# Makes what a Windows user downloads: a zip of Varnel.exe, built optimised in a tree of its own
# (build/release), and the user guide readme.txt in cp932 with CR LF line ends.
#   package.sh [ZIP]        (default: build/Varnel.zip)
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
zip_path=$(realpath -m "${1:-build/Varnel.zip}")
tree=build/release

cmake -S . -B "$tree" -DCMAKE_BUILD_TYPE=Release -DVARNEL_TESTS=OFF \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64.cmake"
cmake --build "$tree" -j2 --target Varnel

stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
x86_64-w64-mingw32-strip -o "$stage/Varnel.exe" "$tree/Varnel.exe"
# The guide is kept as UTF-8. iconv fails on most characters cp932 cannot hold but takes some to
# a look-alike ("〜" U+301C to the code of "～"): only a guide that converts back the same ships.
iconv -f UTF-8 -t CP932 docs/readme.txt >"$stage/guide.cp932"
if ! iconv -f CP932 -t UTF-8 "$stage/guide.cp932" | cmp -s - docs/readme.txt; then
    echo "package: docs/readme.txt holds a character cp932 cannot hold exactly" >&2
    exit 1
fi
LC_ALL=C sed 's/\r$//; s/$/\r/' "$stage/guide.cp932" >"$stage/readme.txt"
rm "$stage/guide.cp932"

mkdir -p "$(dirname "$zip_path")"
rm -f "$zip_path"
(cd "$stage" && zip -q -X "$zip_path" Varnel.exe readme.txt)
echo "package: $zip_path"
unzip -l "$zip_path"
