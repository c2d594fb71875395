#!/bin/bash
# Times the sheet view's redraw of a 10,000-cell sheet at 100 % and 50 %
# zoom beside a bare GDI loop painting the same cells, and the whole sheet
# at 50 % and 25 %.  It uses the X display in DISPLAY, or a private Xvfb
# without one.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
source "$root/scripts/wine-env.sh"
export WINEPREFIX="$test_prefix"
cmake --build "$build" -j"$(nproc)" --target sheet_view_bench >/dev/null
cd "$build/bin"
source "$root/scripts/xvfb.sh"
trap xvfb_end EXIT
xvfb_if_no_display
wine sheet_view_bench.exe.so
