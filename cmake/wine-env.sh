#!/usr/bin/env bash
# Sets up and tears down the Wine side of a test run: a prefix of the run's own inside the
# build tree, a wineserver kept alive between test programs, and an Xvfb display when the
# caller has none.  Usage: wine-env.sh start|stop STATE_DIR
set -euo pipefail
action=$1
state=$(mkdir -p "$2" && cd "$2" && pwd)
export WINEPREFIX=$state/prefix WINEDEBUG=-all WINEARCH=win64 WINEDLLOVERRIDES="mscoree,mshtml="
source "$(dirname "$0")/xvfb.sh"

start_display() {
    # A display this script started earlier for the same state is still good.
    if [ -f "$state/xvfb.pid" ] && kill -0 "$(cat "$state/xvfb.pid")" 2>/dev/null &&
        [ -f "$state/display" ]; then
        return
    fi
    if [ -n "${DISPLAY:-}" ]; then
        echo "$DISPLAY" >"$state/display"
        return
    fi
    virtual_display_start "$state/xvfb.log"
    echo "$virtual_display_pid" >"$state/xvfb.pid"
    echo "$virtual_display" >"$state/display"
}

# A small file system of the run's own that tests fill up to see a full disk; only where this
# user may mount one (the tests that need it are skipped otherwise).
mount_full_disk() {
    mkdir -p "$state/full"
    mountpoint -q "$state/full" && return
    mount -t tmpfs -o size=256k kestrine-full "$state/full" 2>/dev/null || rm -rf "$state/full"
}

# A game folder that takes no new file while its files stay writable (an install where only
# the game's files were made writable), where this user may make one: frozen/gvx.ini,
# frozen/Assets/Scripts/scripts.ini and a game-set library frozen/QXData.dat.  Tests rewrite
# the files' contents.
freeze_game_folder() {
    local frozen=$state/frozen
    thaw_game_folder
    mkdir -p "$frozen/Assets/Scripts"
    : >"$frozen/gvx.ini"
    : >"$frozen/Assets/Scripts/scripts.ini"
    : >"$frozen/QXData.dat"
    if ! chattr +i "$frozen" "$frozen/Assets" "$frozen/Assets/Scripts" 2>/dev/null; then
        thaw_game_folder
        rm -rf "$frozen"
    fi
}
thaw_game_folder() {
    [ -d "$state/frozen" ] || return 0
    chattr -i "$state/frozen" "$state/frozen/Assets" "$state/frozen/Assets/Scripts" \
        2>/dev/null || true
}

# A game folder whose scripts.ini is a symbolic link to linked/target.ini, as some players keep
# one setup for several installs; beside it a game-set library linked/QXData.dat that is a
# symbolic link to linked/library.dat, a library shared between folders.
link_game_folder() {
    mkdir -p "$state/linked/Assets/Scripts"
    : >"$state/linked/target.ini"
    : >"$state/linked/gvx.ini"
    ln -sfn "$state/linked/target.ini" "$state/linked/Assets/Scripts/scripts.ini"
    : >"$state/linked/library.dat"
    ln -sfn "$state/linked/library.dat" "$state/linked/QXData.dat"
}

case $action in
start)
    mount_full_disk
    freeze_game_folder
    link_game_folder
    start_display
    export DISPLAY=$(cat "$state/display")
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
        echo "Creating the test Wine prefix in $WINEPREFIX"
        wineboot --init </dev/null >/dev/null 2>&1 || true
        wineserver -w
    fi
    # The server and Wine's own services stay up for the whole run, started here with their
    # output elsewhere: a service started by a test program would hold that program's output
    # open, and CTest would wait for it to close.
    wineserver -p </dev/null >/dev/null 2>&1 || true # fails when one is running already
    wineboot </dev/null >/dev/null 2>&1 || true
    if [ ! -f "$state/unmanaged" ]; then
        # Without a window manager on the virtual display, Wine waits for one whenever a
        # managed window is hidden; the tests' windows are left unmanaged instead.  A test
        # program that crashes ends at once instead of waiting in Wine's debugger.
        (cd / && wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f \
            </dev/null >/dev/null 2>&1 &&
            wine reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\AeDebug' \
                /v Auto /d 1 /f </dev/null >/dev/null 2>&1 &&
            wine reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\AeDebug' \
                /v Debugger /d 'cmd /c exit' /f </dev/null >/dev/null 2>&1) &&
            touch "$state/unmanaged"
    fi
    ;;
stop)
    wineserver -k 2>/dev/null || true
    if [ -f "$state/xvfb.pid" ]; then
        kill "$(cat "$state/xvfb.pid")" 2>/dev/null || true
        rm -f "$state/xvfb.pid"
    fi
    rm -f "$state/display"
    ! mountpoint -q "$state/full" || umount "$state/full" || true
    thaw_game_folder
    ;;
*)
    echo "usage: $0 start|stop STATE_DIR" >&2
    exit 2
    ;;
esac
