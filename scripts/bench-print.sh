#!/bin/bash
# Times the page breaks of a 10,000-cell sheet, each print preview page,
# and printing a 20-page sheet to a private CUPS PDF queue.  It uses the X
# display in DISPLAY, or a private Xvfb without one.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
source "$root/scripts/wine-env.sh"
export WINEPREFIX="$test_prefix"
source "$root/scripts/cups-server.sh"
cmake --build "$build" -j4 --target print_bench >/dev/null
source "$root/scripts/xvfb.sh"
cleanup() {
    wineserver -k 2>/dev/null || true
    xvfb_stop
    cups_server_stop
}
trap cleanup EXIT
xvfb_if_no_display
cups_server_start
wineserver -k 2>/dev/null || true
cd "$build/bin"
wine print_bench.exe.so
