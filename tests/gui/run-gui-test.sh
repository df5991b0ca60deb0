#!/usr/bin/env bash
# Runs one GUI test program under Wine; when it fails, leaves a picture of the screen in
# BUILD_DIR/gui-failures/ and prints its path.
#   run-gui-test.sh NAME BUILD_DIR SECONDS DRIVER.exe [ARGS...]
# With VARNEL_GUI_APP set, the driver drives that Varnel.exe instead of its tree's own (the test
# script points it at the release build), and its screenshots are named for it.
set -uo pipefail

name=$1 build_dir=$(cd "$2" && pwd) seconds=$3
shift 3
if [[ -n "${VARNEL_GUI_APP:-}" ]]; then
    replaced=()
    for arg in "$@"; do
        [[ "$arg" == --app=* ]] && arg=--app=$VARNEL_GUI_APP
        replaced+=("$arg")
    done
    set -- "${replaced[@]}"
    name=$name-$(basename "$(dirname "$VARNEL_GUI_APP")")
fi
scripts=$(cd "$(dirname "${BASH_SOURCE[0]}")/../../scripts" && pwd)
source "$scripts/wine-env.sh"

# Started by hand rather than by the test script: bring up a display and wineserver of our own.
if [[ -z "${VARNEL_DISPLAY:-}" ]]; then
    varnel_env_up_alone "$build_dir" || exit 1
fi

failures=$build_dir/gui-failures
shots=0
snapshot() {
    mkdir -p "$failures"
    local file=$failures/$name.png
    ((shots)) && file=$failures/$name-$((shots + 1)).png
    if xwd -root -silent -display "$VARNEL_DISPLAY" | /usr/bin/convert xwd:- "$file"; then
        echo "gui: screenshot of the failure: $file"
        shots=$((shots + 1))
    else
        echo "gui: could not take a screenshot"
    fi
}

# A picture the driver asks for by name (SaveScreenshot), kept in BUILD_DIR/gui-shots/.
named_shot() {
    mkdir -p "$build_dir/gui-shots"
    local file=$build_dir/gui-shots/$1.png
    if xwd -root -silent -display "$VARNEL_DISPLAY" | /usr/bin/convert xwd:- "$file"; then
        echo "gui: screenshot $file"
    else
        echo "gui: could not take the screenshot $file"
    fi
}

# The driver announces a failed check by creating this file (empty; a name asks for a named
# picture) and waits until it is gone.
request=$(mktemp -u "/tmp/varnel-snapshot-$name.XXXXXX")
export VARNEL_GUI_SNAPSHOT=$request
# Keys are typed from the X side, as a user's would be: the driver writes xdotool's arguments
# into this file, and the answer (xdotool's exit code) comes back in FILE.done.
host=$(mktemp -u "/tmp/varnel-host-$name.XXXXXX")
export VARNEL_GUI_HOST=$host
rm -f "$failures/$name.png" "$failures/$name"-*.png

timeout -k 5 "$seconds" "$scripts/wine-run" "$build_dir" "$@" 8>&- &
driver=$!
while kill -0 "$driver" 2>/dev/null; do
    if [[ -e "$request" ]]; then
        shot=$(tr -cd 'A-Za-z0-9_-' <"$request")
        if [[ -n "$shot" ]]; then
            named_shot "$shot"
        else
            snapshot
        fi
        rm -f "$request"
    fi
    if [[ -e "$host" ]]; then
        read -r -a args < "$host"
        rm -f "$host"
        DISPLAY=$VARNEL_DISPLAY xdotool "${args[@]}" >/dev/null 2>&1
        echo $? > "$host.tmp" && mv "$host.tmp" "$host.done"
    fi
    sleep 0.05
done
wait "$driver"
rc=$?
rm -f "$request" "$request.new" "$host" "$host.done"

if ((rc != 0)); then
    ((rc == 124)) && echo "gui: $name did not finish within $seconds s"
    ((shots)) || snapshot
fi
exit "$rc"
