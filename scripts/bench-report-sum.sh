#!/bin/bash
# Runs the sum-from-databases benchmark on SQLite and on a temporary
# PostgreSQL cluster, removed afterwards.  Arguments go to the program
# ("sqlite", "sqlite-keep", "postgresql", then "program" or "yardstick" to
# run one side alone for a profiler).  libpq, the yardstick on
# PostgreSQL, reaches the same server through the PG* variables.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
source "$root/scripts/wine-env.sh"
export WINEPREFIX="$test_prefix"
source "$root/scripts/pg-cluster.sh"
trap pg_cluster_stop EXIT
cmake --build "$build" -j4 --target report_sum_bench >/dev/null
pg_cluster_start
pg_cluster_libpq_env
cd "$build/bin"
wine report_sum_bench.exe.so "$@"
