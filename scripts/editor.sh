#!/bin/bash
# Sets up and builds, then starts the editor (see scripts/start-program.sh).
exec "$(dirname "$0")/start-program.sh" Quirepad "$@"
