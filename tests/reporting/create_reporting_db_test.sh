#!/bin/bash
# The set-up script makes a reporting database with the schema and refuses
# to touch one that exists.
set -euo pipefail
script="$1/scripts/create-reporting-db.sh"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

"$script" sqlite "$work/sub/empty.mdb" >/dev/null || fail "empty database not created"
[[ "$(sqlite3 "$work/sub/empty.mdb" "select count(*) from sqlite_master where type='table'")" == 7 ]] \
    || fail "tables missing"
[[ "$(sqlite3 "$work/sub/empty.mdb" "select count(*) from ss_Organ")" == 0 ]] || fail "empty database has rows"

"$script" sqlite "$work/sample.mdb" --sample >/dev/null || fail "sample database not created"
[[ "$(sqlite3 "$work/sample.mdb" "select count(*) from ss_Organ")" -gt 0 ]] || fail "no starter organizations"

sqlite3 "$work/sample.mdb" "insert into ss_Organ values ('9999','Kept','K')"
if "$script" sqlite "$work/sample.mdb" --sample 2>/dev/null; then fail "existing database overwritten"; fi
[[ "$(sqlite3 "$work/sample.mdb" "select FD_Name from ss_Organ where FD_Code='9999'")" == Kept ]] \
    || fail "existing database changed"
if "$script" nosuchkind x 2>/dev/null; then fail "unknown kind accepted"; fi
[[ -z "$(ls "$work" | grep -v -e '^sub$' -e '^sample.mdb$')" ]] || fail "temporary files left: $(ls "$work")"
echo "create-reporting-db: SQLite ok"

# PostgreSQL: a temporary cluster on loopback, run as the postgres user.
if ! command -v initdb >/dev/null || ! command -v pg_ctl >/dev/null || ! id postgres >/dev/null 2>&1; then
    echo "create-reporting-db: no PostgreSQL server here; its schema is not tried" >&2
    exit 77
fi
as_postgres() {
    if [[ $(id -un) == postgres ]]; then "$@"; else runuser -u postgres -- "$@"; fi
}
pg="$(mktemp -d)"
chown postgres "$pg"
port=$((20000 + RANDOM % 20000))
trap 'as_postgres pg_ctl -D "$pg/data" -m immediate stop >/dev/null 2>&1 || true; rm -rf "$work" "$pg"' EXIT
as_postgres initdb -D "$pg/data" -A trust -U postgres >/dev/null
as_postgres pg_ctl -D "$pg/data" -w -l "$pg/log" \
    -o "-p $port -k $pg -c listen_addresses=127.0.0.1" start >/dev/null
conn=(-h 127.0.0.1 -p "$port" -U postgres)
"$script" postgresql reporting --sample -- "${conn[@]}" >/dev/null || fail "PostgreSQL database not created"
q() { psql -X -At "${conn[@]}" -d reporting -c "$1"; }
[[ "$(q "select count(*) from pg_tables where schemaname='public'")" == 7 ]] || fail "PostgreSQL tables missing"
[[ "$(q "select count(*) from pg_indexes where indexname like 'ix_%'")" == 10 ]] || fail "PostgreSQL indexes missing"
[[ "$(q "select count(*) from ss_organ")" -gt 0 ]] || fail "no starter organizations in PostgreSQL"
q "insert into ss_datalist values ('2005000300000','O''1','R1','========',1,0,NULL)" >/dev/null
if q "insert into ss_datalist values ('2005000300000','O''1','R1','========',1,0,'5')" >/dev/null 2>&1; then
    fail "PostgreSQL accepts a second row for one key"
fi
if "$script" postgresql reporting -- "${conn[@]}" >/dev/null 2>&1; then fail "existing PostgreSQL database reused"; fi
[[ "$(q "select count(*) from ss_datalist")" == 1 ]] || fail "existing PostgreSQL database changed"
echo "create-reporting-db: PostgreSQL ok"
