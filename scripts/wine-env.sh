# Sourced by the scripts: the designer's private Wine prefix and quiet Wine.
# Tests and benchmarks run in a prefix of their own (test_prefix), so that
# they never touch the designer's recent files and settings.
root="${root:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)}"
build="${BUILD_DIR:-$root/build}"
test_prefix="$build/wineprefix-tests"
export WINEPREFIX="$build/wineprefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
