#!/bin/bash
# Times the Create Template wizard's build of a 100 x 20 item template and
# the template folder tree opening 50 folders of 2,000 templates.  It uses
# the X display in DISPLAY, or a private Xvfb without one.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
source "$root/scripts/wine-env.sh"
cmake --build "$build" -j4 --target template_wizard_bench folder_tree_bench >/dev/null
cd "$build/bin"
source "$root/scripts/xvfb.sh"
trap xvfb_end EXIT
xvfb_if_no_display
wine template_wizard_bench.exe.so
wine folder_tree_bench.exe.so
