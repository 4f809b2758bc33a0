#!/usr/bin/env bash
# with-wine.sh BUILD_DIR COMMAND...
# Runs COMMAND with a Wine prefix private to BUILD_DIR (created on first use, with
# the Wine virtual desktop on so that Wine draws whole windows, frames included),
# one persistent wineserver for the whole command, and an X display: the caller's
# when DISPLAY is set and QEL_XVFB is not 1, otherwise a fresh Xvfb display.
set -euo pipefail
build_dir=$(cd "$1" && pwd); shift

if [ -z "${DISPLAY:-}" ] || [ "${QEL_XVFB:-0}" = 1 ]; then
    if [ -z "${QEL_IN_XVFB:-}" ]; then
        export QEL_IN_XVFB=1
        # Start the search for a free display at a random number, so that test
        # runs started side by side do not race for the same one.
        exec xvfb-run -n $((100 + RANDOM % 800)) -a -s "-screen 0 1024x768x24" \
            "$0" "$build_dir" "$@"
    fi
fi

export WINEPREFIX="$build_dir/wineprefix"
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES="mscoree,mshtml=${WINEDLLOVERRIDES:+;$WINEDLLOVERRIDES}"
fail() { echo "with-wine.sh: $*" >&2; exit 1; }
fonts="$WINEPREFIX/drive_c/windows/Fonts"
if [ ! -f "$WINEPREFIX/.qel-ready" ]; then
    mkdir -p "$WINEPREFIX"
    log="$build_dir/wineboot.log"
    wineboot -i >"$log" 2>&1 && [ -d "$fonts" ] ||
        fail "wineboot could not prepare the Wine prefix $WINEPREFIX (its output is in $log)"
    # The virtual desktop on; a program that crashes prints its backtrace and
    # ends, rather than waiting behind a crash dialog until the test times out.
    for key in 'HKCU\Software\Wine\Explorer /v Desktop /d Default' \
               'HKCU\Software\Wine\Explorer\Desktops /v Default /d 1024x768' \
               'HKCU\Software\Wine\WineDbg /v ShowCrashDialog /t REG_DWORD /d 0'; do
        # shellcheck disable=SC2086 # the key's words are the command's arguments
        wine reg add $key /f >>"$log" 2>&1 ||
            fail "could not set up the Wine prefix ($key; output in $log)"
    done
    wineserver -w
    touch "$WINEPREFIX/.qel-ready"
fi
# Wine's own fonts (Tahoma, Marlett for caption glyphs and menu marks) are not
# found in Debian's data folder; the Windows font folder always is. The raster
# "MS Sans Serif" is the forms' default font (its widths are the ones the forms
# are laid out for; without it Wine substitutes a wider face).
for font in /usr/share/wine/fonts/*.ttf /usr/share/wine/fonts/sserife.fon; do
    [ -f "$fonts/${font##*/}" ] && continue
    cp "$font" "$fonts/" 2>/dev/null ||
        fail "could not copy Wine's font $font into the prefix (is the package fonts-wine installed? run scripts/install-deps.sh)"
done

wineserver -p 2>/dev/null || true  # one may be left running by an interrupted run
# Start Wine's own background processes now, detached from the command's output:
# started later by a test they would hold its output pipe open (and ctest waits).
wine cmd /c exit >/dev/null 2>&1 </dev/null || true
status=0
"$@" || status=$?
wineserver -k || true
wineserver -w || true
exit $status
