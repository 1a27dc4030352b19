# Shared by ./run and tools/screenshots.sh: the built-in demo.  demo_start builds Kestrine (and
# the screenshot helper), prepares a Wine prefix of the demo's own whose registry names the
# demo game folder (build/demo/game, copied from demo/game on the first run) and the working
# folder build/demo/work for the library, and starts a virtual display when there is none
# (demo_headless is then 1).  The caller's EXIT trap should call demo_stop.
demo_start() {
    cmake --preset win >/dev/null
    cmake --build build/win --target kestrine kestrine_shoot

    demo_root=$PWD
    demo=$PWD/build/demo
    mkdir -p "$demo/work"
    [ -d "$demo/game" ] || cp -r demo/game "$demo/game"
    export WINEPREFIX=$demo/prefix WINEDEBUG=-all WINEARCH=win64 \
        WINEDLLOVERRIDES="mscoree,mshtml="

    demo_headless=
    if [ -z "${DISPLAY:-}" ]; then
        demo_headless=1
        virtual_display_start
    fi

    if [ ! -f "$WINEPREFIX/system.reg" ]; then
        echo "Creating the demo Wine prefix (once; takes a little while)"
        wineboot --init </dev/null >/dev/null 2>&1 || true
    fi
    local game
    game=$(winepath -w "$demo/game")
    demo_reg add 'HKLM\Software\Brellix\Ostravane' /v Directory /t REG_SZ /d "$game" /f /reg:32
    # Without a window manager (the virtual display) Wine draws the windows' frames itself.
    if [ -n "$demo_headless" ]; then
        demo_reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f
    else
        demo_reg delete 'HKCU\Software\Wine\X11 Driver' /v Managed /f || true
    fi
}

# "wine reg" from a folder without a reg.exe of its own, quietly.
demo_reg() {
    (cd /tmp && wine reg "$@" </dev/null >/dev/null 2>&1)
}

# The demo prefix's screen resolution in dots per inch (Wine's LogPixels).
demo_dpi() {
    demo_reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f
    demo_reg add 'HKLM\System\CurrentControlSet\Hardware Profiles\Current\Software\Fonts' \
        /v LogPixels /t REG_DWORD /d "$1" /f
    wineserver -k 2>/dev/null || true
}

# Saves Kestrine's windows as PNG files in $1: the form as kestrine.png, and with $2 = all the
# map, help and about windows too.
demo_shoot() {
    local shots
    shots=$(mktemp -d)
    (cd "$demo/work" && wine "$demo_root/build/win/shoot.exe" \
        "$(winepath -w "$demo_root/build/win/kestrine.exe")" "$(winepath -w "$shots")" \
        ${2:-} </dev/null)
    for bmp in "$shots"/*.bmp; do
        convert "$bmp" "$1/$(basename "${bmp%.bmp}").png"
    done
    rm -rf "$shots"
}

demo_stop() {
    wineserver -k 2>/dev/null || true
    virtual_display_stop
}
