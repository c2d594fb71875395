# Sourced by the scripts: the designer's private Wine prefix and quiet Wine.
# Tests and benchmarks run in a prefix of their own (test_prefix), so that
# they never touch the designer's recent files and settings.
root="${root:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)}"
build="${BUILD_DIR:-$root/build}"
test_prefix="$build/wineprefix-tests"
export WINEPREFIX="$build/wineprefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
# The PostgreSQL ODBC driver keeps each field of a result in an allocation
# of its own and frees them all when the statement closes.  A larger
# per-thread cache in glibc's malloc keeps those blocks for the next result,
# instead of merging them into its free lists and splitting them up again.
export GLIBC_TUNABLES="glibc.malloc.tcache_count=65535${GLIBC_TUNABLES:+:$GLIBC_TUNABLES}"
