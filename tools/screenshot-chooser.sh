#!/bin/sh
# Takes the README's picture of the theme chooser, docs/theme-chooser.png:
# builds the plug-in and a small snapshot program, opens the "Choose Theme"
# window under Wine (on a virtual X server when DISPLAY is unset) with the
# theme of the first argument preselected (16, "Office Blue", by default)
# and saves what the screen shows of it.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

tools/setup.sh
cmake --preset default >/dev/null
cmake --build --preset default --target ZelvarPlugin chooser_snapshot

. tests/wine/wine-env.sh
zelvar_wine_env "$root/build/default/snapshot-prefix"
zelvar_ensure_prefix "$WINEPREFIX"
# The set-up's wine server knows no display; the picture needs a new one.
wineserver -w

mkdir -p docs
program="$root/build/default/bin/chooser_snapshot.exe"
set -- "$program" "$(zelvar_windows_path "$root/build/default/bin/ZelvarPlugin.dll")" \
    "$(zelvar_windows_path "$root/docs/theme-chooser.png")" "${1:-16}"
run='wine "$@"; status=$?; wineserver -w; exit $status'
if [ -z "${DISPLAY:-}" ]; then
    xvfb-run -a -s "-screen 0 1024x768x24" sh -c "$run" sh "$@"
else
    sh -c "$run" sh "$@"
fi
echo "docs/theme-chooser.png"
