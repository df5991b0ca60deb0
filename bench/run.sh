#!/usr/bin/env bash
# The benchmark: the core natively beside a rename(2) loop, then the real optimised Varnel.exe
# under Wine beside a MoveFileW loop, then the undo from the history and the start's recovery
# beside the pass (natively and the same code under Wine), each on a RAM disk (/dev/shm) and on
# the real disk.
#   bench/run.sh [N...]           (default 1000 10000 100000)
#   bench/run.sh --undo-only      (the last part alone)
# The undo part takes its sizes from UNDO_SIZES (default "1000 5000 20000", in folders of 1,000):
# under Wine it costs minutes per size. Prints one table each. Builds what it needs: build/bench
# (native, optimised) and build/release (the exe as scripts/start.sh makes it, plus the drivers).
# Run scripts/setup.sh first on a new machine.
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
undoOnly=0
if [[ "${1:-}" == --undo-only ]]; then
    undoOnly=1
    shift
fi
sizes=("$@")
((${#sizes[@]})) || sizes=(1000 10000 100000)
read -r -a undoSizes <<<"${UNDO_SIZES:-1000 5000 20000}"
disk=$root/build/bench-files
ram=/dev/shm/varnel-bench
mkdir -p "$disk" "$ram"
trap 'rm -rf "$ram" "$disk"' EXIT

echo "== building"
cmake -S . -B build/bench -DCMAKE_BUILD_TYPE=Release -DVARNEL_TESTS=OFF >/dev/null
cmake --build build/bench --target core_bench undo_bench -j2 >/dev/null
cmake -S . -B build/release -DCMAKE_BUILD_TYPE=Release -DVARNEL_TESTS=OFF \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64.cmake" >/dev/null
cmake --build build/release --target Varnel wine_bench undo_bench -j2 >/dev/null

undo() {
    echo "== undo and recovery beside the pass, native (seconds, median of 5; x = the ratio to the pass;"
    echo "   rec half / rec end: a pass cut short halfway through its renames / after its last move)"
    build/bench/undo_bench "ram=$ram" --rounds=5 "${undoSizes[@]}"
    build/bench/undo_bench "disk=$disk" --rounds=5 "${undoSizes[@]}" | tail -n +2
    echo "== the same under Wine (the core built for Windows; one round)"
    scripts/wine-run build/release build/release/undo_bench.exe "ram=$ram" --rounds=1 "${undoSizes[@]}"
    scripts/wine-run build/release build/release/undo_bench.exe "disk=$disk" --rounds=1 \
        "${undoSizes[@]}" | tail -n +2
}
if ((undoOnly)); then
    undo
    exit 0
fi

echo "== native core (seconds; road = add + sort + export + import + pass, ratio = road / rename;"
echo "   bytes per entry of the heap at rest and the most during the pass or the restore)"
build/bench/core_bench "ram=$ram" "${sizes[@]}"
build/bench/core_bench "disk=$disk" "${sizes[@]}" | tail -n +2

echo "== Varnel.exe under Wine (seconds; "pass x" and "rest x" are the ratios to the MoveFileW loop;"
echo "   bytes per entry of the working set beyond Wine's own, at rest and during the pass)"
for per in 100 1000; do
    scripts/wine-run build/release build/release/wine_bench.exe --per-folder=$per \
        --app="$root/build/release/Varnel.exe" --dir=ram="$ram" --dir=disk="$disk" "${sizes[@]}"
done
undo
