#!/bin/bash
# Sets up and builds, then runs every test executable under Xvfb with one
# persistent wineserver for the whole run.  Extra arguments go to ctest.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/setup.sh"
source "$root/scripts/wine-env.sh"

wineserver -p
# Start the prefix's services now, outside ctest: they outlive the first
# Wine process and would hold its output pipe open.
wineboot >/dev/null 2>&1 </dev/null
trap 'wineserver -k 2>/dev/null || true' EXIT
cd "$build"
xvfb-run -a -s "-screen 0 1280x1024x24" ctest --output-on-failure -j"$(nproc)" "$@"
