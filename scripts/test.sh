#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test through ctest: the whole project
# with the web module in node, then the model libraries again under AddressSanitizer and
# UndefinedBehaviorSanitizer.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
zainstaluj_pakiety "${PAKIETY_OKNA[@]}" "${PAKIETY_TESTOW[@]}"
"$KORZEN/scripts/web.sh"
zbuduj build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DSYMULATOR_TESTS=ON -DSYMULATOR_BENCH=ON \
    -DSYMULATOR_MODUL_WEB="$KORZEN/build-web"
(cd "$KORZEN/build" && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j"$(nproc)")
zbuduj build-asan -DCMAKE_BUILD_TYPE=Debug -DSYMULATOR_SANITIZE=ON -DSYMULATOR_GUI=OFF
(cd "$KORZEN/build-asan" && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
    ctest --output-on-failure -j"$(nproc)")
