#!/usr/bin/env bash
# A longer fuzz run of every target than the test command's: SECONDS each (default 600), with a
# corpus kept in build/fuzz/corpus-TARGET so that a next run goes on from it. A finding is left
# as build/fuzz/crash-* and ends the run with a failure.
# Usage: scripts/fuzz-long.sh [SECONDS] [TARGET...]
set -uo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root" || exit 1
source scripts/fuzz-targets.sh

seconds=${1:-600}
shift || true
targets=("$@")
((${#targets[@]})) || targets=(path_list_fuzz "${VARNEL_FUZZ_TARGETS[@]}")
failed=0
for target in "${targets[@]}"; do
    echo "== $target: building"
    if [[ $target == path_list_fuzz ]]; then
        mkdir -p build/fuzz
        clang++ -std=c++17 -O1 -g -I. -fsanitize=fuzzer,address,undefined \
            -fno-sanitize-recover=all settings/path_list.cpp tests/fuzz/path_list_fuzz.cpp \
            -o build/fuzz/path_list_fuzz || { failed=1; continue; }
    else
        fuzz_build "$target" || { failed=1; continue; }
    fi
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
