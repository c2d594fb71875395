#!/bin/bash
# Creates an empty reporting database from the schema in reporting/schema.
#
#   create-reporting-db.sh sqlite FILE [--sample]
#   create-reporting-db.sh postgresql DBNAME [--sample] [-- PSQL-OPTIONS...]
#
# --sample adds the starter organizations, items and properties.  An
# existing SQLite file or PostgreSQL database is never touched: the script
# refuses.  PSQL-OPTIONS (host, port, user) reach createdb and psql.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
schema="$root/reporting/schema"

usage() { sed -n '4,5s/^# *//p' "$0" >&2; exit 2; }
(($# >= 2)) || usage
kind="$1" target="$2"
shift 2
sample=0
if [[ "${1:-}" == "--sample" ]]; then sample=1; shift; fi
if [[ "${1:-}" == "--" ]]; then shift; fi

case "$kind" in
sqlite)
    (($# == 0)) || usage
    if [[ -e "$target" ]]; then
        echo "create-reporting-db: $target exists; not changed" >&2
        exit 1
    fi
    mkdir -p "$(dirname "$target")"
    # Built beside the target and renamed, so a failure leaves no half
    # database behind.
    tmp="$(mktemp "$target.XXXXXX")"
    trap 'rm -f "$tmp"' EXIT
    rm -f "$tmp"
    files=("$schema/sqlite.sql")
    ((sample)) && files+=("$schema/sample-data.sql")
    { echo "BEGIN;"; cat "${files[@]}"; echo "COMMIT;"; } | sqlite3 -bail "$tmp"
    mv "$tmp" "$target"
    trap - EXIT
    ;;
postgresql)
    createdb "$@" "$target"
    files=(-f "$schema/postgresql.sql")
    ((sample)) && files+=(-f "$schema/sample-data.sql")
    if ! psql -X -q -v ON_ERROR_STOP=1 --single-transaction "$@" -d "$target" "${files[@]}"; then
        dropdb "$@" "$target" || true
        exit 1
    fi
    ;;
*)
    usage
    ;;
esac
echo "Created reporting database $target"
