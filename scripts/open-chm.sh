#!/bin/bash
# Shows a compiled help file in xchm.  The Wine prefixes' .chm association
# names this script (scripts/setup.sh sets it), and Wine starts it as a
# Unix program with the file's Windows path.  The toolkit's warnings stay
# off the designer's terminal.
set -euo pipefail
exec xchm "$(winepath -u "$1")" 2>/dev/null
