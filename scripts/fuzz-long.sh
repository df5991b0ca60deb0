#!/usr/bin/env bash
# A longer fuzz run of every target than the test command's: SECONDS each (default 600), with a
# corpus kept in build/fuzz/corpus-TARGET so that a next run goes on from it. A finding is left
# as build/fuzz/crash-* and ends the run with a failure.
# Usage: scripts/fuzz-long.sh [SECONDS] [TARGET...]
set -uo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root" || exit 1
targets_all=(path_list_fuzz journal_fuzz import_fuzz ini_fuzz held_text_fuzz)

seconds=${1:-600}
shift || true
targets=("$@")
((${#targets[@]})) || targets=("${targets_all[@]}")
echo "== building the fuzz targets in build/fuzz"
cmake -S . -B build/fuzz -DCMAKE_BUILD_TYPE=Debug -DVARNEL_FUZZ=ON -DCMAKE_C_COMPILER=clang \
    -DCMAKE_CXX_COMPILER=clang++ >/dev/null && cmake --build build/fuzz -j2 >/dev/null || exit 1
failed=0
for target in "${targets[@]}"; do
    corpus=build/fuzz/corpus-$target
    mkdir -p "$corpus"
    echo "== $target: $seconds s"
    if ! (cd build/fuzz && "./$target" -max_total_time="$seconds" -max_len=4096 \
        -print_final_stats=1 "corpus-$target" 2>&1 | tail -n 25); then
        echo "   $target: a finding (see build/fuzz/crash-*)"
        failed=1
    fi
done
exit $failed
