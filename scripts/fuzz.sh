#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for the given number of seconds
# (default 60), starting from its seed corpus; new inputs go to fuzz-out/<name>/. At the
# end a table gives each target's inputs per second and coverage (libFuzzer's final
# statistics: inputs run, edges "cov" and features "ft"), the rate both per second of wall
# time and per second of the fuzzer's own processor time (on a busy machine the first
# says more about the machine). Inputs are cut at 1 KiB: the few seeds that are long only
# to reach a size limit (the 8192-row microprogram, very long lines) run whole as the
# corpus tests of ctest, and would otherwise make every mutation of them slow.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
SEKUNDY="${1:-60}"
zainstaluj_pakiety "${PAKIETY_FUZZ[@]}"
CELE=()
for zrodlo in "$KORZEN"/fuzz/fuzz_*.cpp; do CELE+=("$(basename "$zrodlo" .cpp)"); done
cmake -S "$KORZEN" -B "$KORZEN/build-fuzz" -DCMAKE_CXX_COMPILER=clang++ \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo -DSYMULATOR_FUZZ=ON -DSYMULATOR_GUI=OFF \
    -DSYMULATOR_BENCH=OFF -DSYMULATOR_TESTS=OFF >/dev/null
# Only the fuzzers: the tests of this configuration are the ordinary ones.
cmake --build "$KORZEN/build-fuzz" -j"$(nproc)" --target "${CELE[@]}"

PODSUMOWANIE=()
for nazwa in "${CELE[@]}"; do
    cel="$KORZEN/build-fuzz/fuzz/$nazwa"
    krotka="${nazwa#fuzz_}"
    mkdir -p "$KORZEN/fuzz-out/$krotka"
    dziennik="$KORZEN/fuzz-out/$krotka.log"
    echo "== $nazwa ($SEKUNDY s, dziennik: $dziennik)"
    kod=0
    czas_cpu=$( { TIMEFORMAT='%3U %3S'; time "$cel" -max_total_time="$SEKUNDY" -max_len=1024 \
        -print_final_stats=1 "$KORZEN/fuzz-out/$krotka" "$KORZEN/fuzz/korpus/$krotka" \
        >"$dziennik" 2>&1; } 2>&1 ) || kod=$?
    grep -E '^Done' "$dziennik" || true
    # The last status line carries cov/ft; the final statistics the inputs and the time.
    ostatnia=$(grep -E '^#[0-9]+' "$dziennik" | tail -n 1)
    cov=$(sed -n 's/.* cov: \([0-9]*\).*/\1/p' <<<"$ostatnia")
    ft=$(sed -n 's/.* ft: \([0-9]*\).*/\1/p' <<<"$ostatnia")
    wejsc=$(sed -n 's/^stat::number_of_executed_units: *\([0-9]*\)/\1/p' "$dziennik" | tail -n 1)
    czas=$(sed -n 's/^Done [0-9]* runs in \([0-9]*\) second.*/\1/p' "$dziennik" | tail -n 1)
    [ -n "$czas" ] && [ "$czas" -gt 0 ] || czas="$SEKUNDY"
    na_sekunde=$(( ${wejsc:-0} / czas ))
    na_sekunde_cpu=$(awk -v n="${wejsc:-0}" -v t="$czas_cpu" \
        'BEGIN { split(t, c, " "); s = c[1] + c[2]; print (s > 0 ? int(n / s) : 0) }')
    stan="ok"
    [ "$kod" -eq 0 ] || stan="BŁĄD (kod $kod, zob. dziennik)"
    PODSUMOWANIE+=("$(printf '%-20s %9s %9s %11s %7s %7s  %s' "$nazwa" "${wejsc:-?}" \
        "$na_sekunde" "$na_sekunde_cpu" "${cov:-?}" "${ft:-?}" "$stan")")
done

echo
printf '%-20s %9s %9s %11s %7s %7s\n' "cel" "wejść" "wejść/s" "wejść/s cpu" "cov" "ft"
printf '%s\n' "${PODSUMOWANIE[@]}"
