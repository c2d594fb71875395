#!/bin/bash
# Sets up and builds, then runs every test executable on a private Xvfb
# display with one persistent wineserver for the whole run.  Extra
# arguments go to ctest.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/setup.sh"
source "$root/scripts/wine-env.sh"
export WINEPREFIX="$test_prefix"
# A folder deleted to the recycle bin goes to the desktop's trash under
# XDG_DATA_HOME: the tests keep a trash of their own beside their prefix.
export XDG_DATA_HOME="$build/test-data-home"
mkdir -p "$XDG_DATA_HOME"
source "$root/scripts/pg-cluster.sh"
source "$root/scripts/cups-server.sh"
source "$root/scripts/xvfb.sh"

# The display must exist before Wine's desktop process starts: a desktop
# started without one would leave every later window without a driver.
xvfb_start
cleanup() {
    wineserver -k 2>/dev/null || true
    xvfb_stop
    pg_cluster_stop
    cups_server_stop
}
trap cleanup EXIT

# The ODBC engine tests run against this server and an SQLite data source.
pg_cluster_start
# The printing tests print to this server's PDF queue through Wine's
# spooler; Wine takes the server from CUPS_SERVER.
cups_server_start

wineserver -k 2>/dev/null || true
wineserver -p
# Start the prefix's services now, outside ctest: they outlive the first
# Wine process and would hold its output pipe open.
wineboot >/dev/null 2>&1 </dev/null

cd "$build"
ctest --output-on-failure -j"$(nproc)" "$@"
