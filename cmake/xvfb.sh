# A virtual display of its own for a script that has none: the first free :N from :90 on.
# virtual_display_start sets virtual_display (":N") and virtual_display_pid, and exports
# DISPLAY; virtual_display_stop ends it.  Usage: source cmake/xvfb.sh [LOG]
virtual_display_start() {
    local log=${1:-/dev/null} n=90
    while [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ]; do n=$((n + 1)); done
    Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp </dev/null >"$log" 2>&1 &
    virtual_display_pid=$!
    virtual_display=":$n"
    export DISPLAY=$virtual_display
    for _ in $(seq 100); do
        [ -e "/tmp/.X11-unix/X$n" ] && return 0
        sleep 0.1
    done
    echo "Xvfb did not start on :$n" >&2
    return 1
}

virtual_display_stop() {
    [ -z "${virtual_display_pid:-}" ] || kill "$virtual_display_pid" 2>/dev/null || true
    virtual_display_pid=
}
