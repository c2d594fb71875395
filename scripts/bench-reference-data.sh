#!/bin/bash
# Times the reference-data dialogs over 10,000 organizations and 10,000 row
# items, on SQLite and on a temporary PostgreSQL cluster removed afterwards.
# An argument ("sqlite", "postgresql") runs one of them.  It uses the X
# display in DISPLAY, or a private Xvfb without one.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
source "$root/scripts/wine-env.sh"
source "$root/scripts/pg-cluster.sh"
cmake --build "$build" -j4 --target reference_data_bench >/dev/null
source "$root/scripts/xvfb.sh"
trap 'pg_cluster_stop; xvfb_end' EXIT
xvfb_if_no_display
pg_cluster_start
cd "$build/bin"
wine reference_data_bench.exe.so "$@"
