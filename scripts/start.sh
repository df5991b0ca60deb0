#!/usr/bin/env bash
# Sets the machine up, builds Varnel.exe (optimised, in build/release) and starts it under Wine.
# With a display the window shows there; without one Varnel runs on a private display, and a
# screenshot of it is saved.
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
bash scripts/setup.sh

build=$root/build/release
mkdir -p build/logs
log=build/logs/start-build.log
echo "start: building Varnel.exe (log: $log)"
if ! { cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DVARNEL_TESTS=OFF \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64.cmake" &&
    cmake --build "$build" --target Varnel -j2; } >"$log" 2>&1; then
    tail -n 40 "$log"
    echo "start: the build failed"
    exit 1
fi
exe=$build/Varnel.exe

source scripts/wine-env.sh

if [[ -n "${DISPLAY:-}" ]] && xdotool getdisplaygeometry >/dev/null 2>&1; then
    varnel_prefix_ensure "$build/wine-prefix"
    varnel_wine_exports "$build/wine-prefix" "$DISPLAY"
    echo "start: Varnel runs on $DISPLAY; close its window to end"
    exec "$VARNEL_WINE" "$exe"
fi

echo "start: no display here; running Varnel on a private one"
varnel_env_up "$build" persistent
varnel_wine_exports "$VARNEL_WINEPREFIX" "$VARNEL_DISPLAY"
"$VARNEL_WINE" "$exe" </dev/null >/dev/null 2>&1 &
varnel=$!

window=
for ((tries = 0; tries < 150; tries++)); do
    window=$(xdotool search --name '^Varnel$' 2>/dev/null | head -n 1 || true)
    [[ -n "$window" ]] && break
    if ! kill -0 "$varnel" 2>/dev/null; then
        wait "$varnel" && rc=0 || rc=$?
        echo "start: Varnel ended with exit code $rc before showing its window"
        exit 1
    fi
    sleep 0.2
done
if [[ -z "$window" ]]; then
    echo "start: no Varnel window after 30 s"
    exit 1
fi
sleep 1  # let it paint
shot=$root/build/varnel-screenshot.png
xwd -root -silent -display "$VARNEL_DISPLAY" | /usr/bin/convert xwd:- "$shot"
echo "start: Varnel's window is up; screenshot saved to $shot"
echo "start: stopping Varnel"
# The exit trap stops the wineserver, which ends Varnel, and then the display.
