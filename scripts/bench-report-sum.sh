#!/bin/bash
# Runs the sum-from-databases benchmark on SQLite and on a temporary
# PostgreSQL cluster, removed afterwards.  Arguments go to the program
# ("sqlite", "sqlite-keep", "postgresql").  libpq, the yardstick on
# PostgreSQL, reaches the same server through the PG* variables.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
source "$root/scripts/wine-env.sh"
export WINEPREFIX="$test_prefix"
source "$root/scripts/pg-cluster.sh"
trap pg_cluster_stop EXIT
cmake --build "$build" -j4 --target report_sum_bench >/dev/null
pg_cluster_start
export PGHOST=127.0.0.1 PGDATABASE=kemtest PGUSER="$KEM_TEST_PG_USER" PGPASSWORD="$KEM_TEST_PG_PASSWORD"
PGPORT=$(sed -n 's/^Port=//p' "$ODBCINI" | head -1)
export PGPORT
cd "$build/bin"
wine report_sum_bench.exe.so "$@"
