#!/bin/bash
# Times the design commands (Replace All, the table commands with Undo and
# Redo) on a 10,000-cell sheet, each with its repaint.  It uses the X
# display in DISPLAY, or a private Xvfb without one.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
source "$root/scripts/wine-env.sh"
cmake --build "$build" -j"$(nproc)" --target design_commands_bench >/dev/null
cd "$build/bin"
source "$root/scripts/xvfb.sh"
trap xvfb_end EXIT
xvfb_if_no_display
wine design_commands_bench.exe.so
