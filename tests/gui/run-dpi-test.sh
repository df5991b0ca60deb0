#!/usr/bin/env bash
# Runs the scale driver once at each of 96, 144, 168 and 192 dpi, in a Wine prefix of its own
# (BUILD_DIR/wine-prefix-dpi) on a display and wineserver of its own, so that the other tests'
# prefix never sees another dpi, whatever runs beside this test. The run at 96 dpi goes first: it
# leaves the measures the larger scales are compared with.
#   run-dpi-test.sh BUILD_DIR SECONDS DRIVER.exe [ARGS...]
set -uo pipefail

build_dir=$(cd "$1" && pwd) seconds=$2
shift 2
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
source "$here/../../scripts/wine-env.sh"

# Nothing of the test script's environment: its display, its prefix's server and the mark its
# clean-up kills by belong to the other tests.
unset VARNEL_DISPLAY VARNEL_RUN_ID
export VARNEL_WINEPREFIX=$build_dir/wine-prefix-dpi
export VARNEL_DPI_BASELINE=$build_dir/gui-shots/dpi-baseline.txt
mkdir -p "$build_dir/gui-shots"
rm -f "$VARNEL_DPI_BASELINE"

# The dpi Wine draws at is read when its server starts: set it while none runs. The desktop is
# as large as the display, so that the window at 200 % fits it.
set_dpi() {
    local prefix=$1 dpi=$2
    [[ "$(cat "$prefix/.varnel-dpi" 2>/dev/null)" == "$dpi" ]] && return 0
    (
        flock 9
        varnel_wine_exports "$prefix"
        unset DISPLAY
        "$VARNEL_WINE" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD \
            /d "$dpi" /f >/dev/null 2>&1 &&
            "$VARNEL_WINE" reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default \
                /t REG_SZ /d 1280x1024 /f >/dev/null 2>&1 || exit 1
        "$VARNEL_WINESERVER" -w
        echo "$dpi" >"$prefix/.varnel-dpi"
    ) 9>"$prefix.lock"
}

rc=0
for dpi in 96 144 168 192; do
    if ! varnel_prefix_ensure "$VARNEL_WINEPREFIX" || ! set_dpi "$VARNEL_WINEPREFIX" "$dpi"; then
        echo "gui: could not set the prefix $VARNEL_WINEPREFIX to $dpi dpi"
        rc=1
        continue
    fi
    bash "$here/run-gui-test.sh" "gui_dpi-$dpi" "$build_dir" "$seconds" "$@" \
        "--gtest_filter=Dpi.At$dpi*" || rc=1
done
exit "$rc"
