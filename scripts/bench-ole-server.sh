#!/bin/bash
# Times the designer as an automation server: COM starting it by the ProgID
# to the first method's return, and a method call on the running server.
# The bench registers the server in the test prefix by starting the
# designer once.  It uses the X display in DISPLAY, or a private Xvfb
# without one.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
source "$root/scripts/wine-env.sh"
export WINEPREFIX="$test_prefix"
cmake --build "$build" -j4 --target ole_server_bench >/dev/null
cd "$build/bin"
source "$root/scripts/xvfb.sh"
trap xvfb_end EXIT
xvfb_if_no_display
wine ole_server_bench.exe.so
