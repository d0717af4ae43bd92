# A private Wine prefix for one script: quiet (no Mono or Gecko installers,
# no menu entries, no debugger on a crash), with a persistent server that
# keeps it warm between programs. Sourced. The server reads the regional
# settings and CUPS_SERVER when it starts: set them before wine_prefix_start.

# wine_prefix_use DIR: the prefix lives in DIR, made if missing.
wine_prefix_use() {
    export WINEPREFIX="$1" WINEARCH=win64 WINEDEBUG=-all
    export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe,winedbg.exe=d"
    mkdir -p "$WINEPREFIX"
}

# wine_prefix_scratch DIR: the prefix lives in DIR/prefix; when the script
# exits, its server is stopped and DIR removed.
wine_prefix_scratch() {
    wine_prefix_scratch_dir=$1
    wine_prefix_use "$1/prefix"
    trap 'wine_prefix_stop; rm -rf "$wine_prefix_scratch_dir"' EXIT
    trap 'exit 130' INT TERM
}

# wine_prefix_dpi DPI: the screen scale of a Windows desktop, as its
# display settings write it. Read when the server starts and kept by the
# prefix's making, so it goes in before the first start.
wine_prefix_dpi() {
    [ -e "$WINEPREFIX/user.reg" ] && return 0
    printf '%s\n' 'WINE REGISTRY Version 2' ';; All keys relative to REGISTRY\\User\\S-1-5-21-0-0-0-1000' '' \
        '#arch=win64' '' '[Control Panel\\Desktop]' "\"LogPixels\"=dword:$(printf '%08x' "$1")" \
        >"$WINEPREFIX/user.reg"
}

# Starts the server; the prefix is made at its first start.
wine_prefix_start() {
    wineserver -p
    [ -e "$WINEPREFIX/system.reg" ] || wineboot --init >/dev/null 2>&1
}

# Stops the server and waits until every program of the prefix has ended.
wine_prefix_stop() {
    wineserver -k 2>/dev/null || true
    wineserver -w 2>/dev/null || true
}
