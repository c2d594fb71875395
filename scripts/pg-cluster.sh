# Sourced by the test and benchmark scripts: starts a temporary PostgreSQL
# cluster on loopback for the ODBC tests and removes it when the shell exits.
#
#   pg_cluster_start    creates the cluster on a free port, a password-protected
#                       role and database, an ODBC data-source file (ODBCINI)
#                       with a PostgreSQL and an SQLite data source, and exports
#                       KEM_TEST_PG_DSN, KEM_TEST_PG_USER, KEM_TEST_PG_PASSWORD,
#                       KEM_TEST_PG_CONNECT, KEM_TEST_PGW_DSN (the same server
#                       through the driver's Unicode form), KEM_TEST_SQLITE_DSN,
#                       KEM_TEST_SQLITE_FILE and KEM_TEST_PG_PORT.
#   pg_cluster_libpq_env  exports the PG* variables that bring a libpq client
#                       (psql, the benchmarks' yardsticks) to the same server
#                       as the test user.
#   pg_cluster_stop     stops the server and deletes its folder.
#
# Every run has its own folder and port, so two runs can go at once.

pg_bin=/usr/lib/postgresql/15/bin
pg_dir=""
pg_log=""

# Runs a PostgreSQL tool as the postgres user when we are root (the server
# refuses to run as root), else as ourselves.
pg_as_owner() {
    if [[ $(id -u) -eq 0 ]]; then
        runuser -u postgres -- "$@"
    else
        "$@"
    fi
}

pg_port_in_use() {
    (echo >"/dev/tcp/127.0.0.1/$1") 2>/dev/null
}

pg_cluster_stop() {
    [[ -n "$pg_dir" ]] || return 0
    if [[ -f "$pg_dir/data/postmaster.pid" ]]; then
        pg_as_owner "$pg_bin/pg_ctl" -D "$pg_dir/data" -m immediate -w stop >/dev/null 2>&1 || true
    fi
    rm -rf "$pg_dir"
    pg_dir=""
}

pg_cluster_libpq_env() {
    export PGHOST=127.0.0.1 PGDATABASE=kemtest PGUSER="$KEM_TEST_PG_USER" PGPASSWORD="$KEM_TEST_PG_PASSWORD"
    PGPORT=$(sed -n 's/^Port=//p' "$ODBCINI" | head -1)
    export PGPORT
}

pg_cluster_start() {
    local driver
    driver=$(grep -o '^\[PostgreSQL ANSI\]' /etc/odbcinst.ini | tr -d '[]' || true)
    [[ -n "$driver" ]] || driver=$(grep -o '^\[PostgreSQL[^]]*\]' /etc/odbcinst.ini | head -1 | tr -d '[]' || true)
    if [[ -z "$driver" || ! -x "$pg_bin/initdb" ]]; then
        echo "PostgreSQL server or its ODBC driver is missing" >&2
        return 1
    fi
    pg_dir=$(mktemp -d /tmp/kem-pg.XXXXXX)
    chmod 755 "$pg_dir"
    [[ $(id -u) -ne 0 ]] || chown postgres "$pg_dir"
    pg_log="$pg_dir/server.log"
    local user=kemtest password
    password="pw'$RANDOM;x"
    pg_as_owner "$pg_bin/initdb" -D "$pg_dir/data" -U postgres --auth-local=trust \
        --auth-host=scram-sha-256 -E UTF8 --no-locale >"$pg_dir/initdb.log" 2>&1 || {
        cat "$pg_dir/initdb.log" >&2
        return 1
    }
    # A port nobody listens on; when another run takes it first, the start
    # fails and the next port is tried.
    local port=$((20000 + (RANDOM % 20000))) tries
    for tries in $(seq 20); do
        while pg_port_in_use "$port"; do port=$((port + 1)); done
        if pg_as_owner "$pg_bin/pg_ctl" -D "$pg_dir/data" -l "$pg_log" -w -t 30 \
            -o "-p $port -k $pg_dir -c listen_addresses=127.0.0.1 -c fsync=off" start >/dev/null 2>&1; then
            break
        fi
        port=$((port + 1))
        [[ $tries -lt 20 ]] || { cat "$pg_log" >&2; return 1; }
    done
    local sql_password=${password//\'/\'\'}
    pg_as_owner psql -q -h "$pg_dir" -p "$port" -U postgres -d postgres -v ON_ERROR_STOP=1 \
        -c "CREATE ROLE $user LOGIN PASSWORD '$sql_password'" \
        -c "CREATE DATABASE kemtest OWNER $user" >/dev/null || return 1

    # Protocol 7.4-1: an error rolls back the whole transaction (a report
    # save is one), so the driver sets no savepoint around every statement.
    # The Unicode data source keeps the driver's default.
    cat >"$pg_dir/odbc.ini" <<EOF
[kem_pg_test]
Driver=$driver
Servername=127.0.0.1
Port=$port
Database=kemtest
Protocol=7.4-1

[kem_pgw_test]
Driver=PostgreSQL Unicode
Servername=127.0.0.1
Port=$port
Database=kemtest

[kem_sqlite_test]
Driver=SQLite3
Database=$pg_dir/sqlite-test.db
EOF
    chmod 644 "$pg_dir/odbc.ini"
    export ODBCINI="$pg_dir/odbc.ini"
    export KEM_TEST_PG_DSN=kem_pg_test KEM_TEST_PG_USER=$user KEM_TEST_PG_PASSWORD="$password"
    export KEM_TEST_PG_PORT=$port
    export KEM_TEST_PG_CONNECT="DSN=kem_pg_test;UID=$user;PWD={$password}"
    export KEM_TEST_PGW_DSN=kem_pgw_test
    export KEM_TEST_SQLITE_DSN=kem_sqlite_test KEM_TEST_SQLITE_FILE="$pg_dir/sqlite-test.db"
}
