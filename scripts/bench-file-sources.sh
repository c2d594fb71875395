#!/bin/bash
# Times dBase, Paradox and Excel sources through the DAO engine beside their
# libraries alone, in a scratch folder removed afterwards.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
source "$root/scripts/wine-env.sh"
export WINEPREFIX="$test_prefix"
cmake --build "$build" -j4 --target file_source_bench >/dev/null
scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT
cd "$build/bin"
wine file_source_bench.exe.so "$(winepath -w "$scratch")" "$@"
