#!/bin/sh
# Builds everything, the library with gcc and with clang, checks that the
# build is reproducible, and runs every test under Wine against both DLLs,
# in a Wine prefix made afresh for this run. Ends with CTest's summary; the
# exit code is CTest's.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

tools/setup.sh
# --- Release checks: the clang build of the library (every test also runs
# against it, as NAME.clang) and two clean builds compared byte for byte.
cmake --preset clang >/dev/null
cmake --build --preset clang
tools/check-reproducible.sh HEAD default clang
# ---
cmake --preset default -DZELVAR_CLANG_PLUGIN="$root/build/clang/bin/ZelvarPlugin.dll" >/dev/null
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
