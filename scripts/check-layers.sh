#!/usr/bin/env bash
# The window layer sits on top: nothing below it includes from ui/. Objects of the window layer
# are reached through the context (core/app_context.h) by those that need them.
set -uo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.." || exit 1
found=$(grep -rn '#include "ui/' core exchange settings platform bench 2>/dev/null)
if [[ -n "$found" ]]; then
    echo "includes that point up into ui/:"
    echo "$found"
    exit 1
fi
echo "layers: no include points up into ui/"
