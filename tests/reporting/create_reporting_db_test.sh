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
echo "create-reporting-db: ok"
