#!/usr/bin/env bash
# Installs what is missing, builds, and starts the simulator; arguments go to the program.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
zainstaluj_pakiety
zbuduj build -DCMAKE_BUILD_TYPE=RelWithDebInfo
exec "$KORZEN/build/app/symulator" "$@"
