#!/usr/bin/env bash
# Counts the test cases in ctest's JUnit files, each case once however many builds and programs
# ran it: a case failed if it failed anywhere. A ctest test that prints no GoogleTest case (a
# script, a program that crashed before its first case) counts as one case of its own name, and a
# failed program whose cases all passed (it crashed after them) counts as one failed case more.
# Prints "<passed> <failed>", then the failed cases, one a line.
set -euo pipefail

awk '
    function finish() {
        if (test == "") return
        if (!cases) {
            if (failed) bad["ctest " test] = 1; else good["ctest " test] = 1
        } else if (failed && !failedCase) {
            bad["ctest " test " (failed after its cases)"] = 1
        }
        test = ""
    }
    /<testcase name="/ {
        finish()
        test = $0
        sub(/.*<testcase name="/, "", test)
        sub(/".*/, "", test)
        failed = $0 ~ /status="fail"/
        cases = 0
        failedCase = 0
        next
    }
    /<\/testcase>/ { finish(); next }
    test != "" && /\[       OK \] .* \([0-9]+ ms\)$/ { name = $4; sub(/,$/, "", name); good[name] = 1; cases = 1 }
    test != "" && /\[  FAILED  \] .* \([0-9]+ ms\)$/ { name = $4; sub(/,$/, "", name); bad[name] = 1; cases = 1; failedCase = 1 }
    END {
        finish()
        passed = 0
        for (name in good) if (!(name in bad)) ++passed
        failedCount = 0
        for (name in bad) ++failedCount
        print passed, failedCount
        for (name in bad) print name
    }
' "$@"
