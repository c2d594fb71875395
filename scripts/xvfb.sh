# Sourced by the scripts: xvfb_start starts a private Xvfb on the first
# free display from :90 and exports DISPLAY; xvfb_stop ends it.
xvfb_pid=""
xvfb_start() {
    local display=90
    while [[ -e /tmp/.X$display-lock || -e /tmp/.X11-unix/X$display ]]; do
        display=$((display + 1))
    done
    Xvfb ":$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
    xvfb_pid=$!
    for _ in $(seq 50); do
        [[ -e /tmp/.X11-unix/X$display ]] && break
        sleep 0.1
    done
    export DISPLAY=":$display"
}
xvfb_stop() {
    if [[ -n "$xvfb_pid" ]]; then
        kill "$xvfb_pid" 2>/dev/null || true
    fi
}
# xvfb_if_no_display starts a private Xvfb unless DISPLAY names a display;
# xvfb_end then ends the Wine server and that Xvfb, and does nothing when
# the display was given.
xvfb_if_no_display() {
    [[ -n "${DISPLAY:-}" ]] || xvfb_start
}
xvfb_end() {
    [[ -n "$xvfb_pid" ]] || return 0
    wineserver -k 2>/dev/null || true
    xvfb_stop
}
