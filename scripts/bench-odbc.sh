#!/bin/bash
# Runs the ODBC report data benchmark against a temporary PostgreSQL
# cluster, removed afterwards.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
source "$root/scripts/wine-env.sh"
export WINEPREFIX="$test_prefix"
source "$root/scripts/pg-cluster.sh"
trap pg_cluster_stop EXIT
cmake --build "$build" -j"$(nproc)" --target odbc_report_bench >/dev/null
pg_cluster_start
cd "$build/bin"
wine odbc_report_bench.exe.so
