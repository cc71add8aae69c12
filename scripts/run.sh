#!/usr/bin/env bash
# Installs what building and running the window needs, builds the window (no tests, no
# benchmarks) and starts it; arguments go to the program.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
zainstaluj_pakiety "${PAKIETY_OKNA[@]}"
zbuduj build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DSYMULATOR_TESTS=OFF -DSYMULATOR_BENCH=OFF
exec "$KORZEN/build/ui/symulator" "$@"
