# Shell functions shared by the scripts that run programs under Wine.

# Sets the environment for a run in the prefix DIR.
zelvar_wine_env() {
    WINEPREFIX=$1
    WINEDEBUG=${WINEDEBUG:--all}
    WINEARCH=win32
    # A fixed locale, so the ANSI code page is 1252 on every machine.
    LANG=en_US.UTF-8
    LC_ALL=
    export WINEPREFIX WINEDEBUG WINEARCH LANG LC_ALL
}

# Makes the prefix on first use; safe when several runs race for it.
zelvar_ensure_prefix() {
    [ -f "$1/.zelvar-ready" ] && return 0
    mkdir -p "$(dirname "$1")"
    (
        flock 9
        if [ ! -f "$1/.zelvar-ready" ]; then
            rm -rf "$1"
            wineboot --init >/dev/null 2>&1
            wineserver -w
            echo 96 >"$1/.zelvar-dpi"
            touch "$1/.zelvar-ready"
        fi
    ) 9>"$1.lock"
}

# Sets the screen's logical DPI of the prefix, when it is not that already.
zelvar_set_dpi() {
    [ "$(cat "$WINEPREFIX/.zelvar-dpi" 2>/dev/null)" = "$1" ] && return 0
    wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null 2>&1
    echo "$1" >"$WINEPREFIX/.zelvar-dpi"
}

# The Windows path of a file of this machine, as Wine's Z: drive shows it.
zelvar_windows_path() {
    printf 'Z:%s' "$1" | tr / '\\'
}

# Lets Wine place and draw its windows itself: no window manager runs on a
# virtual screen, and Wine would wait two seconds for one to acknowledge
# every managed window that closes.
zelvar_unmanaged_windows() {
    [ -f "$WINEPREFIX/.zelvar-unmanaged" ] && return 0
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
    touch "$WINEPREFIX/.zelvar-unmanaged"
}
