#!/bin/bash
# Times Analysis > Analysis of a 20 x 10 cross-tab over 2,400,000 rows of
# ss_datalist beside the same queries through SQLite's C API, and the Data
# Gather dialog opening with 1,000 organizations.  "keep" keeps the large
# SQLite file for the next run.  It uses the X display in DISPLAY, or a
# private Xvfb without one.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
source "$root/scripts/wine-env.sh"
export WINEPREFIX="$test_prefix"
cmake --build "$build" -j4 --target analysis_bench >/dev/null
cd "$build/bin"
source "$root/scripts/xvfb.sh"
trap xvfb_end EXIT
xvfb_if_no_display
wine analysis_bench.exe.so "$@"
