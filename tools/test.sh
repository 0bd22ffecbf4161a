#!/bin/sh
# Builds everything and runs every test under Wine, in a Wine prefix made
# afresh for this run. Ends with CTest's summary; the exit code is CTest's.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

tools/setup.sh
cmake --preset default >/dev/null
cmake --build --preset default

. tests/wine/wine-env.sh
zelvar_wine_env "$root/build/default/wineprefix"
rm -rf "$WINEPREFIX" "$WINEPREFIX.lock"

xvfb_pid=
cleanup() {
    wineserver -k 2>/dev/null || true
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
}
trap cleanup EXIT INT TERM

if [ -z "${DISPLAY:-}" ]; then
    # A virtual screen for the tests' windows; -displayfd picks a free number.
    fifo=$(mktemp -u)
    mkfifo "$fifo"
    Xvfb -displayfd 9 -screen 0 1280x1024x24 -nolisten tcp 9>"$fifo" >/dev/null 2>&1 &
    xvfb_pid=$!
    read -r display <"$fifo"
    rm -f "$fifo"
    DISPLAY=:$display
    export DISPLAY
fi

echo "Making the test Wine prefix..."
zelvar_ensure_prefix "$WINEPREFIX"
# One wine server for the whole run, with Wine's services already up.
wineserver -p
wine cmd /c exit </dev/null >/dev/null 2>&1 || true

ctest --preset default
