#!/bin/bash
# Runs the ODBC report data benchmark against a temporary PostgreSQL
# cluster, removed afterwards.  libpq, the load's yardstick, reaches the
# same server through the PG* variables.  Arguments go to the program
# ("load" or "lookups" runs one side alone for a profiler).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
source "$root/scripts/wine-env.sh"
export WINEPREFIX="$test_prefix"
source "$root/scripts/pg-cluster.sh"
trap pg_cluster_stop EXIT
cmake --build "$build" -j4 --target odbc_report_bench >/dev/null
pg_cluster_start
pg_cluster_libpq_env
cd "$build/bin"
wine odbc_report_bench.exe.so "$@"
