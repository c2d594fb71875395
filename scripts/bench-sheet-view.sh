#!/bin/bash
# Times the sheet view's redraw of a 10,000-cell sheet at 100 % and 50 %
# zoom.  It uses the X display in DISPLAY, or a private Xvfb without one.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
source "$root/scripts/wine-env.sh"
cmake --build "$build" -j"$(nproc)" --target sheet_view_bench >/dev/null
cd "$build/bin"
if [[ -z "${DISPLAY:-}" ]]; then
    display=90
    while [[ -e /tmp/.X$display-lock || -e /tmp/.X11-unix/X$display ]]; do
        display=$((display + 1))
    done
    Xvfb ":$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
    xvfb_pid=$!
    trap 'wineserver -k 2>/dev/null || true; kill $xvfb_pid 2>/dev/null || true' EXIT
    sleep 1
    export DISPLAY=":$display"
fi
wine sheet_view_bench.exe.so
