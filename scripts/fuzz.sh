#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for the given number of seconds
# (default 60), starting from its seed corpus; new inputs go to fuzz-out/<name>/. At the
# end a table gives each target's inputs per second and coverage (libFuzzer's final
# statistics: inputs run, edges "cov" and features "ft").
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
SEKUNDY="${1:-60}"
# Only the compiler comes on top of the common list: clang with its libFuzzer runtime.
for p in clang libclang-rt-dev; do
    printf '%s\n' "${PAKIETY[@]}" | grep -qx "$p" || PAKIETY+=("$p")
done
zainstaluj_pakiety
zbuduj build-fuzz -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DSYMULATOR_FUZZ=ON -DSYMULATOR_GUI=OFF -DSYMULATOR_BENCH=OFF

PODSUMOWANIE=()
for cel in "$KORZEN"/build-fuzz/fuzz/fuzz_*; do
    nazwa="$(basename "$cel")"
    case "$nazwa" in *_korpus) continue ;; esac
    [ -x "$cel" ] || continue
    krotka="${nazwa#fuzz_}"
    mkdir -p "$KORZEN/fuzz-out/$krotka"
    dziennik="$KORZEN/fuzz-out/$krotka.log"
    echo "== $nazwa ($SEKUNDY s, dziennik: $dziennik)"
    kod=0
    "$cel" -max_total_time="$SEKUNDY" -max_len=65536 -print_final_stats=1 \
        "$KORZEN/fuzz-out/$krotka" "$KORZEN/fuzz/korpus/$krotka" >"$dziennik" 2>&1 || kod=$?
    tail -n 3 "$dziennik" | grep -v '^stat::' || true
    # The last status line carries cov/ft; the final statistics the inputs and the time.
    ostatnia=$(grep -E '^#[0-9]+' "$dziennik" | tail -n 1)
    cov=$(sed -n 's/.* cov: \([0-9]*\).*/\1/p' <<<"$ostatnia")
    ft=$(sed -n 's/.* ft: \([0-9]*\).*/\1/p' <<<"$ostatnia")
    wejsc=$(sed -n 's/^stat::number_of_executed_units: *\([0-9]*\)/\1/p' "$dziennik" | tail -n 1)
    czas=$(sed -n 's/^Done [0-9]* runs in \([0-9]*\) second.*/\1/p' "$dziennik" | tail -n 1)
    [ -n "$czas" ] && [ "$czas" -gt 0 ] || czas="$SEKUNDY"
    na_sekunde=$(( ${wejsc:-0} / czas ))
    stan="ok"
    [ "$kod" -eq 0 ] || stan="BŁĄD (kod $kod, zob. dziennik)"
    PODSUMOWANIE+=("$(printf '%-24s %10s %10s %8s %8s  %s' "$nazwa" "${wejsc:-?}" "$na_sekunde" \
        "${cov:-?}" "${ft:-?}" "$stan")")
done

echo
printf '%-24s %10s %10s %8s %8s\n' "cel" "wejść" "wejść/s" "cov" "ft"
printf '%s\n' "${PODSUMOWANIE[@]}"
