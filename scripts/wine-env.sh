# shellcheck shell=bash
# Sourced by the scripts that run Windows programs: the build's own Wine prefix, a private X
# display and one persistent wineserver, each started only when missing and stopped on exit.
#
#   varnel_env_up BUILD_DIR [persistent]   exports VARNEL_WINEPREFIX, VARNEL_DISPLAY
#   varnel_env_up_alone BUILD_DIR          the same for one program run by hand
#   varnel_env_stop                        stops only what varnel_env_up started
#   varnel_wine_exports PREFIX DISPLAY     the environment every Wine process gets

# Debian 12's /usr/bin/wine prefers the 32-bit loader when wine32 is installed; the 64-bit
# loader is the one that runs our 64-bit programs.
if [[ -x /usr/lib/wine/wine64 ]]; then
    VARNEL_WINE=/usr/lib/wine/wine64
elif command -v wine64 >/dev/null 2>&1; then
    VARNEL_WINE=$(command -v wine64)
else
    VARNEL_WINE=$(command -v wine || echo wine)
fi
if [[ -x /usr/lib/wine/wineserver ]]; then
    VARNEL_WINESERVER=/usr/lib/wine/wineserver
else
    VARNEL_WINESERVER=$(command -v wineserver || echo wineserver)
fi

_varnel_log() { echo "wine-env: $*" >&2; }

varnel_wine_exports() {
    export WINEPREFIX=$1
    [[ -n "${2:-}" ]] && export DISPLAY=$2
    # Code page 932 for the ANSI functions, and the locale Wine needs for Japanese file names.
    export LC_ALL=ja_JP.UTF-8
    export WINEDEBUG=-all
    # No Mono or Gecko: their install prompts would wait for a user.
    export WINEDLLOVERRIDES="mscoree,mshtml="
    [[ "$VARNEL_WINE" == */wine64 ]] && export WINELOADER=$VARNEL_WINE
    return 0
}

# Creates the prefix once; a half-made one (no marker) is made anew. Locked, so that parallel
# tests started without the test script do not build it twice.
varnel_prefix_ensure() {
    local prefix=$1
    if [[ -f "$prefix/.varnel-ready" ]]; then
        varnel_prefix_fonts "$prefix"
        return 0
    fi
    mkdir -p "$(dirname "$prefix")"
    (
        flock 9
        [[ -f "$prefix/.varnel-ready" ]] && exit 0
        _varnel_log "creating the Wine prefix $prefix"
        rm -rf "$prefix"
        mkdir -p "$prefix"
        varnel_wine_exports "$prefix"
        unset DISPLAY
        "$VARNEL_WINE" wineboot -i >/dev/null 2>&1 || {
            _varnel_log "wineboot failed"
            exit 1
        }
        local key value
        for key in 'WineDbg ShowCrashDialog REG_DWORD 0' \
            'Explorer Desktop REG_SZ Default' \
            'Explorer\Desktops Default REG_SZ 1024x768'; do
            read -r path value type data <<<"$key"
            "$VARNEL_WINE" reg add "HKCU\\Software\\Wine\\$path" /v "$value" /t "$type" \
                /d "$data" /f >/dev/null 2>&1 || {
                _varnel_log "reg add $path $value failed"
                exit 1
            }
        done
        # Let the transient wineserver write the registry to disk before the prefix counts.
        "$VARNEL_WINESERVER" -w
        touch "$prefix/.varnel-ready"
    ) 9>"$prefix.lock" || return 1
    varnel_prefix_fonts "$prefix"
}

# The dialogs' font and the one the property sheet measures its pages with both become the
# installed proportional Japanese font, as on a Japanese Windows: otherwise Wine takes a wider
# stand-in for one and not the other, and page texts are cut. Once per prefix.
varnel_prefix_fonts() {
    local prefix=$1
    [[ -f "$prefix/.varnel-fonts" ]] && return 0
    (
        flock 9
        [[ -f "$prefix/.varnel-fonts" ]] && exit 0
        varnel_wine_exports "$prefix"
        unset DISPLAY
        local font
        for font in 'ＭＳ Ｐゴシック' 'MS UI Gothic'; do
            "$VARNEL_WINE" reg add 'HKCU\Software\Wine\Fonts\Replacements' /v "$font" \
                /t REG_SZ /d IPAPGothic /f >/dev/null 2>&1 || {
                _varnel_log "reg add font replacement $font failed"
                exit 1
            }
        done
        # The server these started has no display: the run's own server must not find it still
        # there and take it, or no window of the run could open.
        "$VARNEL_WINESERVER" -w
        touch "$prefix/.varnel-fonts"
    ) 9>"$prefix.lock"
}

_varnel_xvfb_pid=
_varnel_wineserver_pid=
_varnel_wineserver_prefix=

varnel_xvfb_start() {
    local n log
    log=$(mktemp /tmp/varnel-xvfb.XXXXXX)
    for ((n = 90; n < 190; n++)); do
        [[ -e /tmp/.X$n-lock || -e /tmp/.X11-unix/X$n ]] && continue
        Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >"$log" 2>&1 8>&- 9>&- &
        _varnel_xvfb_pid=$!
        local tries
        for ((tries = 0; tries < 100; tries++)); do
            if ! kill -0 "$_varnel_xvfb_pid" 2>/dev/null; then
                break  # lost the display number to someone else: try the next one
            fi
            if [[ -S /tmp/.X11-unix/X$n ]]; then
                export VARNEL_DISPLAY=:$n
                rm -f "$log"
                return 0
            fi
            sleep 0.1
        done
        kill "$_varnel_xvfb_pid" 2>/dev/null || true
        wait "$_varnel_xvfb_pid" 2>/dev/null || true
        _varnel_xvfb_pid=
    done
    _varnel_log "could not start Xvfb:"
    cat "$log" >&2
    rm -f "$log"
    return 1
}

# One server for the whole run makes each Wine process start in milliseconds instead of half a
# second. If the prefix already has a server (another run), that one is used and left alone.
varnel_wineserver_start() {
    local prefix=$1
    WINEPREFIX=$prefix "$VARNEL_WINESERVER" -p -f >/dev/null 2>&1 8>&- 9>&- &
    local pid=$!
    sleep 0.2
    if kill -0 "$pid" 2>/dev/null; then
        _varnel_wineserver_pid=$pid
        _varnel_wineserver_prefix=$prefix
    else
        wait "$pid" 2>/dev/null || true
        _varnel_log "a wineserver already runs for $prefix; using it"
    fi
}

# Wine processes that still carry this run's mark. A process that Wine was just starting when
# its server was killed (rpcss, say) is not known to the server and would live on, holding the
# output pipe of whoever ran it.
_varnel_sweep() {
    local environ pid exe wine_dir
    wine_dir=$(dirname "$(realpath "$VARNEL_WINE")")
    for environ in /proc/[0-9]*/environ; do
        pid=${environ#/proc/}
        pid=${pid%/environ}
        exe=$(readlink "/proc/$pid/exe" 2>/dev/null) || continue
        [[ "$exe" == "$wine_dir"/* ]] || continue
        if tr '\0' '\n' <"$environ" 2>/dev/null | grep -qxF "VARNEL_RUN_ID=$VARNEL_RUN_ID"; then
            kill -9 "$pid" 2>/dev/null || true
        fi
    done
}

varnel_env_stop() {
    if [[ -n "$_varnel_wineserver_pid" ]]; then
        # Ends every Wine process of this prefix, then the server itself.
        WINEPREFIX=$_varnel_wineserver_prefix "$VARNEL_WINESERVER" -k 2>/dev/null || true
        wait "$_varnel_wineserver_pid" 2>/dev/null || true
        _varnel_wineserver_pid=
        _varnel_sweep
    fi
    if [[ -n "$_varnel_xvfb_pid" ]]; then
        kill "$_varnel_xvfb_pid" 2>/dev/null || true
        wait "$_varnel_xvfb_pid" 2>/dev/null || true
        _varnel_xvfb_pid=
    fi
    return 0
}

varnel_env_up() {
    local build_dir=$1 persistent=${2:-}
    # Wine takes only an absolute prefix.
    VARNEL_WINEPREFIX=$(realpath -m "${VARNEL_WINEPREFIX:-$build_dir/wine-prefix}")
    export VARNEL_WINEPREFIX
    # Marks every process of this run, for the clean-up.
    export VARNEL_RUN_ID=${VARNEL_RUN_ID:-$$.$RANDOM.$(date +%s%N)}
    trap varnel_env_stop EXIT
    trap 'varnel_env_stop; exit 129' HUP
    trap 'varnel_env_stop; exit 130' INT
    trap 'varnel_env_stop; exit 143' TERM
    varnel_prefix_ensure "$VARNEL_WINEPREFIX" || return 1
    if [[ -z "${VARNEL_DISPLAY:-}" ]]; then
        varnel_xvfb_start || return 1
    fi
    if [[ -n "$persistent" && -z "$_varnel_wineserver_pid" ]]; then
        varnel_wineserver_start "$VARNEL_WINEPREFIX"
        # The session's services start with the first Wine process and keep its output open:
        # started from a test, they would keep ctest waiting for the end of that test's output.
        (
            varnel_wine_exports "$VARNEL_WINEPREFIX" "$VARNEL_DISPLAY"
            "$VARNEL_WINE" wineboot </dev/null >/dev/null 2>&1 8>&- 9>&-
        ) || true
    fi
    return 0
}

# For a program run by hand, outside the test script. One such run at a time per prefix: Wine's
# desktop belongs to one display, so runs that share a prefix must share the display, and the
# last one out would take it away from the others. The lock is held until the shell exits.
varnel_env_up_alone() {
    local build_dir=$1 prefix
    prefix=$(realpath -m "${VARNEL_WINEPREFIX:-$build_dir/wine-prefix}")
    mkdir -p "$(dirname "$prefix")"
    exec 8>"$prefix.run.lock"
    flock 8
    varnel_env_up "$build_dir" persistent
}
