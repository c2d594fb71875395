#!/bin/bash
# A PostgreSQL server of one test's own, which the test may stop and start
# again while a program is connected to it.
#   start                prints DIR=, PORT=, USER= and PASSWORD= lines
#   stop DIR             stops the server (its sessions end)
#   restart DIR PORT     starts it again on the same port
#   remove DIR           stops it and deletes its folder
set -euo pipefail
source "$(cd "$(dirname "$0")/../.." && pwd)/scripts/pg-cluster.sh"
case "$1" in
start)
    pg_cluster_start >/dev/null
    printf 'DIR=%s\nPORT=%s\nUSER=%s\nPASSWORD=%s\n' "$pg_dir" "$KEM_TEST_PG_PORT" "$KEM_TEST_PG_USER" \
        "$KEM_TEST_PG_PASSWORD"
    ;;
stop)
    pg_as_owner "$pg_bin/pg_ctl" -D "$2/data" -m fast -w stop >/dev/null
    ;;
restart)
    pg_as_owner "$pg_bin/pg_ctl" -D "$2/data" -l "$2/server.log" -w -t 30 \
        -o "-p $3 -k $2 -c listen_addresses=127.0.0.1 -c fsync=off" start >/dev/null
    ;;
remove)
    pg_dir="$2"
    pg_cluster_stop
    ;;
*)
    echo "usage: $0 start | stop DIR | restart DIR PORT | remove DIR" >&2
    exit 2
    ;;
esac
