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
if [ ! -f "$WINEPREFIX/.qel-ready" ]; then
    mkdir -p "$WINEPREFIX"
    wineboot -i >/dev/null 2>&1
    wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1
    wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1024x768 /f >/dev/null 2>&1
    # Wine's own fonts (Tahoma, Marlett for caption glyphs and menu marks) are
    # not found in Debian's data folder; the Windows font folder always is.
    cp /usr/share/wine/fonts/*.ttf "$WINEPREFIX/drive_c/windows/Fonts/"
    wineserver -w
    touch "$WINEPREFIX/.qel-ready"
fi
# The forms' default font, the raster "MS Sans Serif" (its widths are the ones the
# forms are laid out for; without it Wine substitutes a wider face).
fonts="$WINEPREFIX/drive_c/windows/Fonts"
[ -f "$fonts/sserife.fon" ] || cp /usr/share/wine/fonts/sserife.fon "$fonts/"

wineserver -p 2>/dev/null || true  # one may be left running by an interrupted run
# Start Wine's own background processes now, detached from the command's output:
# started later by a test they would hold its output pipe open (and ctest waits).
wine cmd /c exit >/dev/null 2>&1 </dev/null || true
status=0
"$@" || status=$?
wineserver -k || true
wineserver -w || true
exit $status
