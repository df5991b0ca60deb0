#!/usr/bin/env bash
# The layers point one way: platform <- core <- settings <- exchange <- ui. A folder includes only
# from itself and the folders below it (res/ holds resource ids for anyone); bench/ and tests/
# stand above them all.
set -uo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.." || exit 1
order=(platform core settings exchange ui)
failed=0
for ((i = 0; i < ${#order[@]}; ++i)); do
    above=("${order[@]:i+1}")
    ((${#above[@]})) || continue
    pattern="#include \"($(
        IFS='|'
        echo "${above[*]}"
    ))/"
    found=$(grep -rnE "$pattern" "${order[i]}" 2>/dev/null)
    if [[ -n "$found" ]]; then
        echo "includes in ${order[i]}/ that point up:"
        echo "$found"
        failed=1
    fi
done
((failed)) && exit 1
echo "layers: every include points down (${order[*]})"
