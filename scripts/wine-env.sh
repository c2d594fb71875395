# Sourced by the scripts: the private Wine prefix and quiet Wine.
root="${root:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)}"
build="${BUILD_DIR:-$root/build}"
export WINEPREFIX="$build/wineprefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
