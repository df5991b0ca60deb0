#!/usr/bin/env bash
# The layers point one way: platform <- core <- settings <- exchange <- ui. A folder includes only
# from itself and the folders below it (res/ holds resource ids for anyone), and declares no name
# that a folder above it defines; bench/ and tests/ stand above them all.
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
# The classes and structs a folder defines, as "Name|Name|...".
defined_in() {
    grep -rhoE '^(class|struct) [A-Za-z_][A-Za-z0-9_]*( final)? *(\{|:[^:])' "$1" 2>/dev/null |
        awk '{print $2}' | sort -u | paste -sd'|'
}
for ((i = 0; i < ${#order[@]}; ++i)); do
    for ((j = i + 1; j < ${#order[@]}; ++j)); do
        names=$(defined_in "${order[j]}")
        [[ -n "$names" ]] || continue
        found=$(grep -rnE "^ *(class|struct) ($names);" "${order[i]}" 2>/dev/null)
        if [[ -n "$found" ]]; then
            echo "declarations in ${order[i]}/ of names that ${order[j]}/ defines:"
            echo "$found"
            failed=1
        fi
    done
done
((failed)) && exit 1
echo "layers: every include and declaration points down (${order[*]})"
