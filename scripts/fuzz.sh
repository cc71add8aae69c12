#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for the given number of seconds
# (default 60), starting from its seed corpus; new inputs go to fuzz-out/<name>/.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
SEKUNDY="${1:-60}"
zainstaluj_pakiety "${PAKIETY_FUZZ[@]}"
zbuduj build-fuzz -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DSYMULATOR_FUZZ=ON -DSYMULATOR_GUI=OFF -DSYMULATOR_BENCH=OFF -DSYMULATOR_TESTS=OFF
for cel in "$KORZEN"/build-fuzz/fuzz/fuzz_*; do
    nazwa="$(basename "$cel")"
    case "$nazwa" in *_korpus) continue ;; esac
    [ -x "$cel" ] || continue
    krotka="${nazwa#fuzz_}"
    mkdir -p "$KORZEN/fuzz-out/$krotka"
    echo "== $nazwa ($SEKUNDY s)"
    "$cel" -max_total_time="$SEKUNDY" -max_len=65536 \
        "$KORZEN/fuzz-out/$krotka" "$KORZEN/fuzz/korpus/$krotka"
done
