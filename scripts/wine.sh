# shellcheck shell=bash
# Wine prefix and X display for running the Windows builds on Linux. Source this file; every
# function is idempotent and prints nothing unless something goes wrong.
#
#   wine_run PROGRAM [ARGS...]      run a Windows program (64-bit or 32-bit) in the prefix
#   wine_runs_32bit                 whether this host can run 32-bit programs (asked once)
#   wine_prefix_ready               prefix <repo>/.wineprefix with virtual desktop, fonts, 96 DPI
#   wine_display_ready              use $DISPLAY if it answers, else start Xvfb for this script
#   wine_set_dpi N                  DPI that programs see from the next start of the prefix on
#   wine_set_app_version EXE VER    per-program Windows version ("win98"), "" removes it
#   wine_stop                       end every process of the prefix
#   wine_exclusive "$0" "$@"       re-run the calling script holding the prefix's lock

_wine_repo="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"

export WINEPREFIX="${QUELLON_WINEPREFIX:-$_wine_repo/.wineprefix}"
# QUELLON_WINEDEBUG (for example "+process") turns Wine's traces on for a look into a run.
export WINEDEBUG="${QUELLON_WINEDEBUG:--all}"
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"

# Everything goes through the 64-bit loader. Debian's `wine` launcher (and the commands built on
# it: wineboot, winepath, regedit) prefers the 32-bit loader whenever it is installed, and that
# one cannot start at all on hosts whose kernel runs no 32-bit programs. The 64-bit loader hands a
# 32-bit program on to the 32-bit loader itself, where the host can run it. Commands that need a
# program rather than a function (timeout, taskset) call "$WINELOADER" directly.
_wine_loader64=/usr/lib/wine/wine64
_wine_loader32=/usr/lib/wine/wine
export WINELOADER="$_wine_loader64"

wine_run() {
    "$_wine_loader64" "$@"
}

# Asks the 32-bit loader for its version: that runs a 32-bit program of the host, which is what a
# 32-bit Windows program needs too. QUELLON_NO_32BIT=1 answers "no" without asking (to try the
# scripts as a host without 32-bit support runs them). The answer is kept for child scripts.
wine_runs_32bit() {
    if [[ -z ${_QUELLON_RUNS_32BIT-} ]]; then
        _QUELLON_RUNS_32BIT=no
        if [[ ${QUELLON_NO_32BIT:-0} != 1 ]] && "$_wine_loader32" --version >/dev/null 2>&1; then
            _QUELLON_RUNS_32BIT=yes
        fi
        export _QUELLON_RUNS_32BIT
    fi
    [[ $_QUELLON_RUNS_32BIT == yes ]]
}

# Why wine_runs_32bit said no, in one line.
wine_32bit_reason() {
    if [[ ${QUELLON_NO_32BIT:-0} == 1 ]]; then
        echo "QUELLON_NO_32BIT=1 is set"
    elif [[ ! -x $_wine_loader32 ]]; then
        echo "Wine's 32-bit loader ($_wine_loader32) is not installed"
    else
        echo "this host cannot run 32-bit programs ($_wine_loader32: $("$_wine_loader32" --version 2>&1 | head -n 1))"
    fi
}

# Runs a command of the prefix with its output discarded; Wine chatters on stderr even with
# WINEDEBUG=-all (fixme lines from the X11 driver, for example).
_wine_quiet() {
    "$@" >/dev/null 2>&1
}

# Applies a registry file (REGEDIT4, CRLF not needed) in one wine start rather than one per value.
_wine_apply_reg() {
    local file
    file="$(mktemp --suffix=.reg)"
    cat >"$file"
    _wine_quiet wine_run regedit /S "$(wine_run winepath -w "$file" 2>/dev/null)"
    local rc=$?
    rm -f "$file"
    return $rc
}

# Waits until the prefix has stopped (every program ended, the wine server gone), within a time
# limit: a program that never ends must not hold the caller for good. Past the limit the prefix
# is stopped and the wait fails.
_wine_wait_stopped() {
    local limit=120
    timeout --kill-after=10 "$limit" wineserver -w && return 0
    echo "wine.sh: the prefix did not stop within $limit s (wineserver -w); its programs were ended" >&2
    wine_stop
    return 1
}

wine_prefix_ready() {
    if [[ ! -f "$WINEPREFIX/system.reg" ]]; then
        mkdir -p "$WINEPREFIX"
        _wine_quiet wine_run wineboot -i || {
            echo "wine.sh: wineboot -i failed" >&2
            return 1
        }
    fi
    # Caption buttons are drawn with Wine's own Marlett font, which the distribution installs
    # where this Wine does not look for it; the prefix's font folder is searched.
    local marlett=/usr/share/wine/fonts/marlett.ttf fonts="$WINEPREFIX/drive_c/windows/Fonts"
    [[ ! -f $marlett || -f $fonts/marlett.ttf ]] || cp "$marlett" "$fonts/" || true
    # The virtual desktop gives windows frames, captions and hit-testing without a window
    # manager; the replacements make "Arial" and "Courier New" resolve to metric-compatible fonts.
    _wine_apply_reg <<'EOF' || {
REGEDIT4

[HKEY_CURRENT_USER\Software\Wine\Explorer]
"Desktop"="Default"

[HKEY_CURRENT_USER\Software\Wine\Explorer\Desktops]
"Default"="1280x1024"

[HKEY_CURRENT_USER\Software\Wine\Fonts\Replacements]
"Arial"="Liberation Sans"
"Courier New"="Liberation Mono"

[HKEY_CURRENT_USER\Control Panel\Desktop]
"LogPixels"=dword:00000060
EOF
        echo "wine.sh: registry set-up failed" >&2
        return 1
    }
    # The desktop settings are read when the prefix starts: let it stop so the next program
    # starts it afresh with them.
    _wine_wait_stopped
}

# Reports whether an X server answers on the given display.
_wine_display_answers() {
    [[ -n $1 ]] && DISPLAY="$1" xdpyinfo >/dev/null 2>&1
}

_wine_xvfb_pid=""

_wine_display_cleanup() {
    [[ -n $_wine_xvfb_pid ]] || return 0
    # Programs of the prefix hold connections to this display: end them before the display goes.
    wineserver -k >/dev/null 2>&1 || true
    kill "$_wine_xvfb_pid" 2>/dev/null || true
    wait "$_wine_xvfb_pid" 2>/dev/null || true
    _wine_xvfb_pid=""
}

wine_display_ready() {
    _wine_display_answers "${DISPLAY-}" && return 0
    [[ -z $_wine_xvfb_pid ]] || _wine_display_cleanup
    local fdfile
    fdfile="$(mktemp)"
    # -displayfd lets Xvfb pick a free display number itself, so parallel runs do not collide.
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$fdfile" >/dev/null 2>&1 &
    _wine_xvfb_pid=$!
    local deadline=$((SECONDS + 15)) number=""
    while [[ $SECONDS -lt $deadline ]]; do
        number="$(tr -dc '0-9' <"$fdfile")"
        [[ -n $number ]] && _wine_display_answers ":$number" && break
        number=""
        sleep 0.1
    done
    rm -f "$fdfile"
    if [[ -z $number ]]; then
        echo "wine.sh: Xvfb did not start" >&2
        kill "$_wine_xvfb_pid" 2>/dev/null
        _wine_xvfb_pid=""
        return 1
    fi
    export DISPLAY=":$number"
    # Resources as a desktop session has them: without any, libX11 reads its resource files
    # again at every font selection on a window (see the file).
    export XENVIRONMENT="$_wine_repo/scripts/x-resources"
    # Keep whatever EXIT trap the calling script has, and stop Xvfb after it.
    local previous
    previous="$(trap -p EXIT | sed -E "s/^trap -- '(.*)' EXIT$/\1/")"
    # shellcheck disable=SC2064 # expanded now on purpose: the earlier trap is kept as it is
    trap "${previous:+$previous; }_wine_display_cleanup" EXIT
}

wine_set_dpi() {
    local dpi="${1:?wine_set_dpi needs a DPI}"
    if ! _wine_quiet wine_run reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD \
        /d "$dpi" /f; then
        echo "wine.sh: could not set DPI $dpi" >&2
        return 1
    fi
    # Programs read the DPI at the start of the prefix.
    _wine_wait_stopped
}

wine_set_app_version() {
    local exe="${1:?wine_set_app_version needs an exe name}" version="${2-}"
    local key="HKCU\\Software\\Wine\\AppDefaults\\$exe"
    if [[ -n $version ]]; then
        _wine_quiet wine_run reg add "$key" /v Version /t REG_SZ /d "$version" /f
    else
        _wine_quiet wine_run reg delete "$key" /v Version /f
        return 0
    fi
}

wine_stop() {
    wineserver -k >/dev/null 2>&1
    return 0
}

# Two runs in one prefix would share one desktop and one mouse. A script that drives programs
# calls this first: it runs the script again under an exclusive lock of the prefix, held by
# flock itself (-o), so programs left running in the background never keep it.
wine_exclusive() {
    [[ -n ${_QUELLON_WINE_LOCKED-} ]] && return 0
    export _QUELLON_WINE_LOCKED=1
    mkdir -p "$(dirname "$WINEPREFIX")"
    exec flock -o -w 1800 "$WINEPREFIX.lock" bash "$@"
}
