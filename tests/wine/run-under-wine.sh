#!/bin/sh
# Runs one Windows program of the test bench under Wine; CTest's emulator.
#
#   run-under-wine.sh --prefix DIR --fake-dwm DLL --fake-dwm-noexport DLL \
#                     PROGRAM [ARG...]
#
# The prefix is made on first use and then reused. Before every run the
# prefix's system directory gets the dwmapi.dll the test asks for in
# ZELVAR_DWM: "fake" (the recording fake, the default), "noexport" (a fake
# without DwmSetWindowAttribute) or "absent" (no dwmapi.dll at all; Wine's
# own is switched off). ZELVAR_LOGPIXELS sets the screen's logical DPI for
# the run (96 when unset). Without a DISPLAY the run gets an Xvfb server of
# its own.
set -eu

prefix= fake= noexport=
while [ $# -gt 0 ]; do
    case "$1" in
    --prefix) prefix=$2; shift 2 ;;
    --fake-dwm) fake=$2; shift 2 ;;
    --fake-dwm-noexport) noexport=$2; shift 2 ;;
    *) break ;;
    esac
done
[ -n "$prefix" ] && [ $# -gt 0 ] || { echo "usage: $0 --prefix DIR ... PROGRAM [ARG...]" >&2; exit 2; }

here=$(cd "$(dirname "$0")" && pwd)
. "$here/wine-env.sh"
zelvar_wine_env "$prefix"
zelvar_ensure_prefix "$prefix"

system32="$WINEPREFIX/drive_c/windows/system32"
case "${ZELVAR_DWM:-fake}" in
fake) cp -f "$fake" "$system32/dwmapi.dll" ;;
noexport) cp -f "$noexport" "$system32/dwmapi.dll" ;;
absent) rm -f "$system32/dwmapi.dll" ;;
*) echo "$0: unknown ZELVAR_DWM '$ZELVAR_DWM'" >&2; exit 2 ;;
esac
# Native only: the fake when it is there, nothing when it is not.
export WINEDLLOVERRIDES="dwmapi=n"
# Where a test finds the fake to put it in place itself.
ZELVAR_FAKE_DWM=$(zelvar_windows_path "$fake")
export ZELVAR_FAKE_DWM

zelvar_set_dpi "${ZELVAR_LOGPIXELS:-96}"
zelvar_unmanaged_windows

# Wine's own helper processes (services, the desktop) may outlive the
# program and would hold CTest's output pipe open: they get a file instead,
# which is shown once the program has ended.
log=$(mktemp)
trap 'rm -f "$log"' EXIT
status=0
if [ -z "${DISPLAY:-}" ]; then
    xvfb-run -a -s "-screen 0 1280x1024x24" sh -c 'wine "$@"; s=$?; wineserver -w; exit $s' sh "$@" >"$log" 2>&1 || status=$?
else
    wine "$@" >"$log" 2>&1 </dev/null || status=$?
fi
cat "$log"
exit $status
