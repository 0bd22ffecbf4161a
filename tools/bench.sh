#!/bin/sh
# Builds the plug-in and the benchmark and runs it under Wine, in a Wine
# prefix of its own whose system directory holds the test bench's fake
# dwmapi.dll. Prints the machine, then the benchmark's figures.
#
#   tools/bench.sh [--quick] [--only=SECTION] [PLUGIN.dll]
#
# The plug-in is the gcc build's DLL unless one is named; SECTION is one of
# image, cycles, exec, params.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

tools/setup.sh
cmake --preset default >/dev/null
cmake --build --preset default --target ZelvarPlugin fake_dwmapi_full zelvar_bench

build="$root/build/default"
plugin="$build/bin/ZelvarPlugin.dll"
options=
for arg in "$@"; do
    case "$arg" in
    --*) options="$options $arg" ;;
    *) plugin=$(cd "$(dirname "$arg")" && pwd)/$(basename "$arg") ;;
    esac
done

. tests/wine/wine-env.sh
zelvar_wine_env "$build/bench-prefix"
zelvar_ensure_prefix "$WINEPREFIX"
cp -f "$build/fake-dwm/dwmapi.dll" "$WINEPREFIX/drive_c/windows/system32/dwmapi.dll"
export WINEDLLOVERRIDES="dwmapi=n"

echo "CPU: $(sed -n 's/^model name[[:space:]]*: //p' /proc/cpuinfo | head -n 1), $(nproc) cores"
echo "Wine: $(wine --version)"
run='wine "$0" "$@"; status=$?; wineserver -w; exit $status'
if [ -z "${DISPLAY:-}" ]; then
    exec xvfb-run -a -s "-screen 0 1280x1024x24" sh -c "$run" "$build/bench/zelvar_bench.exe" $options "$plugin"
fi
exec sh -c "$run" "$build/bench/zelvar_bench.exe" $options "$plugin"
