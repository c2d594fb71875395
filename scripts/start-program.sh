#!/bin/bash
# Sets up and builds, then starts a program of the suite (Tallyform or
# Quirepad, the first argument) with the rest of the arguments.  It uses the
# X display in DISPLAY; where there is none it runs under Xvfb (see the
# README).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
program="$1"
shift
"$root/scripts/setup.sh"
source "$root/scripts/wine-env.sh"

cd "$build/bin"
if [[ -z "${DISPLAY:-}" ]]; then
    echo "No X display: running $program under Xvfb on :99. Take a screenshot with" \
         "'DISPLAY=:99 import -window root shot.png'." >&2
    Xvfb :99 -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
    xvfb_pid=$!
    trap 'kill $xvfb_pid 2>/dev/null || true' EXIT
    sleep 1
    export DISPLAY=:99
    wine "$program.exe.so" "$@"
    exit $?
fi
exec wine "$program.exe.so" "$@"
