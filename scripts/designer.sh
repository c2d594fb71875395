#!/bin/bash
# Sets up and builds, then starts the designer.  It uses the X display in
# DISPLAY; where there is none it runs under Xvfb (see the README).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/setup.sh"
source "$root/scripts/wine-env.sh"

cd "$build/bin"
if [[ -z "${DISPLAY:-}" ]]; then
    echo "No X display: running the designer under Xvfb (DISPLAY=:99). Connect a VNC viewer or" \
         "take screenshots with 'import -window root -display :99 shot.png'." >&2
    exec xvfb-run -n 99 -s "-screen 0 1280x1024x24" wine Tallyform.exe.so "$@"
fi
exec wine Tallyform.exe.so "$@"
