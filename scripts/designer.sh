#!/bin/bash
# Sets up and builds, then starts the designer (see scripts/start-program.sh).
exec "$(dirname "$0")/start-program.sh" Tallyform "$@"
