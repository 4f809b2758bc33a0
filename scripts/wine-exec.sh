#!/usr/bin/env bash
# Runs a Windows program under Wine, inside the display and prefix that
# scripts/with-wine.sh prepared (ctest uses this as its emulator).
: "${WINEPREFIX:?run Windows programs through scripts/with-wine.sh (or scripts/test.sh)}"
export WINEDEBUG=${WINEDEBUG:--all}
exec wine "$@"
