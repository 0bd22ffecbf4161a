#!/bin/sh
# Builds ZelvarPlugin.dll and the reference host, then runs the host's demo
# under Wine: it loads the plug-in, shows its catalogue and runs actions on a
# window of its own. Usage: tools/demo.sh [zelvar-host arguments]
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

tools/setup.sh
cmake --preset default >/dev/null
cmake --build --preset default --target ZelvarPlugin zelvar-host

. tests/wine/wine-env.sh
# A prefix of its own, with Wine's own window manager library.
zelvar_wine_env "$root/build/default/demo-prefix"
zelvar_ensure_prefix "$WINEPREFIX"

host="$root/build/default/bin/zelvar-host.exe"
[ $# -gt 0 ] || set -- demo
run='wine "$0" "$@"; status=$?; wineserver -w; exit $status'
if [ -z "${DISPLAY:-}" ]; then
    echo "(no DISPLAY: running under a virtual X server)"
    exec xvfb-run -a -s "-screen 0 1280x1024x24" sh -c "$run" "$host" "$@"
fi
exec sh -c "$run" "$host" "$@"
