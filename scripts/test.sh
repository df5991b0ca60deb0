#!/usr/bin/env bash
# The whole suite: the native build with its tests, the same under AddressSanitizer and
# UndefinedBehaviorSanitizer, the Windows build with its tests under Wine, and the GUI tests once
# more against the optimised Varnel.exe that users get. All run even when one fails; the last
# line sums them up, each test case once however many builds ran it, with the other checks
# (format, fuzz targets, package). Build output goes to build/logs/.
set -uo pipefail
exec </dev/null

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root" || exit 1
started=$SECONDS

if [[ -z "${VARNEL_SET_UP:-}" ]]; then
    bash scripts/setup.sh || {
        echo "setup failed"
        echo "total: 0 passed, 1 failed"
        exit 1
    }
    # A locale the set-up generated is seen only by processes started after it (this shell would
    # warn at every LC_ALL it sets): the rest runs in a new one.
    VARNEL_SET_UP=1 exec bash "${BASH_SOURCE[0]}"
fi

logs=build/logs
mkdir -p "$logs"
checks_passed=0
checks_failed=0
summaries=()
case_files=()

# Configures and builds one tree; on failure shows the first errors and the end of the log.
build_tree() {
    local name=$1 dir=$2
    shift 2
    local log=$logs/$name-build.log begin=$SECONDS
    echo "== $name: building in $dir (log: $log)"
    if cmake -S . -B "$dir" "$@" >"$log" 2>&1 && cmake --build "$dir" -j2 >>"$log" 2>&1; then
        echo "   built in $((SECONDS - begin)) s"
        return 0
    fi
    echo "   BUILD FAILED after $((SECONDS - begin)) s; first errors:"
    grep -E -m 30 -A 4 '(error|Error)[: ]' "$log" | head -n 120 | sed 's/^/   | /'
    echo "   end of the log:"
    tail -n 15 "$log" | sed 's/^/   | /'
    return 1
}

# Runs one tree's tests (further arguments go to ctest); shows ctest's output only when
# something failed.
test_tree() {
    local name=$1 dir=$2
    shift 2
    local log=$logs/$name-test.log cases=$root/$logs/$name-cases.xml begin=$SECONDS
    echo "== $name: testing"
    rm -f "$cases"
    # Every test's whole output goes to the JUnit file, where the cases are counted.
    ctest --test-dir "$dir" -j2 --output-on-failure --no-tests=error --output-junit "$cases" \
        --test-output-size-passed 100000000 --test-output-size-failed 100000000 "$@" >"$log" 2>&1
    local rc=$?
    local line
    line=$(grep -E '^[0-9]+% tests passed, [0-9]+ tests? failed out of [0-9]+' "$log" | tail -n 1)
    if [[ -z "$line" ]]; then
        echo "   ctest gave no summary (exit $rc):"
        tail -n 40 "$log" | sed 's/^/   | /'
        record "$name" 0 1 "no test summary (counted as 1 failed)"
        return
    fi
    if [[ -f "$cases" ]]; then
        case_files+=("$cases")
    else
        record "$name" 0 1 "no JUnit file (counted as 1 failed)"
    fi
    local failed
    failed=$(sed -E 's/.* ([0-9]+) tests? failed out of ([0-9]+).*/\1/' <<<"$line")
    if ((rc != 0 || failed != 0)); then
        if (($(wc -l <"$log") > 400)); then
            echo "   (the first 400 lines of $log)"
        fi
        head -n 400 "$log" | sed 's/^/   | /'
        # A non-zero exit with nothing counted as failed still fails the run.
        if ((failed == 0)); then
            record "$name" 0 1 "ctest failed without a failed test (counted as 1 failed)"
        fi
    fi
    echo "   $line ($((SECONDS - begin)) s)"
    summaries+=("$(printf '%-8s %s' "$name" "$line")")
}

# A check that is not a test case (a build, the format, a fuzz target, the package).
record() {
    checks_passed=$((checks_passed + $2))
    checks_failed=$((checks_failed + $3))
    summaries+=("$(printf '%-8s %s' "$1" "$4")")
}

# format: every source file as clang-format writes it (.clang-format)
echo "== format"
unformatted=$(git ls-files '*.cpp' '*.h' | xargs clang-format --dry-run --Werror 2>&1 |
    grep -oE '^[^:]+:[0-9]+:[0-9]+: error' | cut -d: -f1 | sort -u)
if [[ -z "$unformatted" ]]; then
    record format 1 0 "every source file formatted"
else
    echo "$unformatted" | sed 's/^/   not formatted: /'
    record format 0 1 "files not formatted (clang-format -i them)"
fi

# native: the portable logic with GoogleTest
if build_tree native build/native -DCMAKE_BUILD_TYPE=Debug; then
    test_tree native build/native
else
    record native 0 1 "did not build (counted as 1 failed)"
fi

# asan: the same under the sanitizers; the first report ends the test that made it
export ASAN_OPTIONS=halt_on_error=1:abort_on_error=0:detect_leaks=1:detect_stack_use_after_return=1:strict_string_checks=1
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
if build_tree asan build/asan -DCMAKE_BUILD_TYPE=Debug -DVARNEL_SANITIZE=ON; then
    test_tree asan build/asan
else
    record asan 0 1 "did not build (counted as 1 failed)"
fi
unset ASAN_OPTIONS UBSAN_OPTIONS

# fuzz: the readers of what comes from outside or from an earlier run, briefly under libFuzzer
# with the sanitizers (the longer run is scripts/fuzz-long.sh), built from the same libraries
if build_tree fuzz build/fuzz -DCMAKE_BUILD_TYPE=Debug -DVARNEL_FUZZ=ON \
    -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++; then
    for target in path_list_fuzz journal_fuzz import_fuzz ini_fuzz held_text_fuzz; do
        begin=$SECONDS
        log=$logs/fuzz-$target.log
        seconds=4 length=1024
        [[ $target == path_list_fuzz ]] && seconds=20 length=512
        echo "== fuzz: $target (log: $log)"
        if (cd build/fuzz && "./$target" -max_total_time=$seconds -seed=1 -max_len=$length) \
            >"$log" 2>&1; then
            echo "   $(grep -E -m1 'Done [0-9]+ runs' "$log") ($((SECONDS - begin)) s)"
            record fuzz 1 0 "$target: no finding"
        else
            tail -n 30 "$log" | sed 's/^/   | /'
            record fuzz 0 1 "$target: a finding (counted as 1 failed)"
        fi
    done
else
    record fuzz 0 1 "did not build (counted as 1 failed)"
fi

# windows: Varnel.exe and the tests, under Wine in the build's own prefix on a private display
windows_begin=$SECONDS
if build_tree windows build/windows -DCMAKE_BUILD_TYPE=Debug \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64.cmake"; then
    source scripts/wine-env.sh
    if varnel_env_up "$root/build/windows" persistent; then
        echo "   Wine prefix $VARNEL_WINEPREFIX, display $VARNEL_DISPLAY"
        test_tree windows build/windows
        # release: the optimised exe that users get (scripts/start.sh), driven by the same GUI
        # tests; only the exe is built, the test programs are the Windows tree's.
        if build_tree release build/release -DCMAKE_BUILD_TYPE=Release -DVARNEL_TESTS=OFF \
            -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64.cmake"; then
            VARNEL_GUI_APP=$root/build/release/Varnel.exe test_tree release build/windows -R '^gui_'
        else
            record release 0 1 "did not build (counted as 1 failed)"
        fi
    else
        record windows 0 1 "Wine environment failed (counted as 1 failed)"
    fi
    varnel_env_stop
else
    record windows 0 1 "did not build (counted as 1 failed)"
fi
echo "   the Windows part took $((SECONDS - windows_begin)) s"

# package: the zip a user downloads holds the optimised exe and the user guide
package_begin=$SECONDS
echo "== package (log: $logs/package.log)"
if bash scripts/package.sh build/package/Varnel.zip >"$logs/package.log" 2>&1 &&
    [[ "$(unzip -Z1 build/package/Varnel.zip | sort | tr '\n' ' ')" == "Varnel.exe readme.txt " ]]; then
    echo "   made build/package/Varnel.zip ($((SECONDS - package_begin)) s)"
    record package 1 0 "Varnel.zip holds Varnel.exe and readme.txt"
else
    tail -n 20 "$logs/package.log" | sed 's/^/   | /'
    record package 0 1 "Varnel.zip not made or incomplete (counted as 1 failed)"
fi

cases_passed=0
cases_failed=0
if ((${#case_files[@]} > 0)); then
    mapfile -t counted < <(bash scripts/count-cases.sh "${case_files[@]}")
    read -r cases_passed cases_failed <<<"${counted[0]}"
fi

echo
echo "== summary ($((SECONDS - started)) s; logs in $logs/)"
printf '%s\n' "${summaries[@]}"
if ((cases_failed > 0)); then
    echo "failed test cases:"
    printf '   %s\n' "${counted[@]:1}"
fi
echo "test cases: $cases_passed passed, $cases_failed failed (each once, in every build it runs in)"
echo "other checks: $checks_passed passed, $checks_failed failed"
total_passed=$((cases_passed + checks_passed))
total_failed=$((cases_failed + checks_failed))
echo "total: $total_passed passed, $total_failed failed"
((total_failed == 0))
