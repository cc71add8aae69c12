#!/usr/bin/env bash
# The project's own mutation check: every patch in tests/mutations/ puts one plausible
# fault into the code. Each is applied alone to a copy of the tree (HEAD plus uncommitted
# changes), the model libraries, the runner and their tests are built and run, and the
# fault is reported as caught (some test fails) or missed. One build folder is reused and
# every patch is taken back after its run, so only the touched file compiles again.
#   scripts/mutate.sh [PATCH...]    (default: all of tests/mutations/*.patch)
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
command -v ninja >/dev/null || PAKIETY+=(ninja-build)
command -v ccache >/dev/null || PAKIETY+=(ccache)
zainstaluj_pakiety

KOPIA="$KORZEN/build-mutacje/zrodla"
BUDOWA="$KORZEN/build-mutacje/budowa"
mkdir -p "$KOPIA" "$BUDOWA"
export CCACHE_BASEDIR="${CCACHE_BASEDIR:-$KORZEN}"

# Copies the tracked and new files; an unchanged file keeps its time, so it does not
# compile again on the next run.
kopiuj_drzewo() {
    local plik
    (cd "$KORZEN" && git ls-files -z -co --exclude-standard) |
        while IFS= read -r -d '' plik; do
            # Links stay links, even broken ones: the runner's tests use one.
            if [ -L "$KORZEN/$plik" ]; then
                mkdir -p "$(dirname "$KOPIA/$plik")"
                cp -P -f "$KORZEN/$plik" "$KOPIA/$plik"
                continue
            fi
            [ -f "$KORZEN/$plik" ] || continue
            if ! cmp -s "$KORZEN/$plik" "$KOPIA/$plik"; then
                mkdir -p "$(dirname "$KOPIA/$plik")"
                cp "$KORZEN/$plik" "$KOPIA/$plik"
            fi
        done
}

buduj() {
    cmake --build "$BUDOWA" -j"$(nproc)" >"$BUDOWA/ostatnia_budowa.log" 2>&1
}

testuj() {
    (cd "$BUDOWA" && timeout 600 ctest -j"$(nproc)" --stop-on-failure --timeout 60 \
        >"$BUDOWA/ostatnie_testy.log" 2>&1)
}

kopiuj_drzewo
cmake -S "$KOPIA" -B "$BUDOWA" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DSYMULATOR_GUI=OFF -DSYMULATOR_BENCH=OFF >/dev/null
echo "Budowa i testy bez zmian..."
if ! buduj || ! testuj; then
    echo "Drzewo bez zmian nie przechodzi budowy lub testów: $BUDOWA/ostatni*.log" >&2
    exit 2
fi

if [ $# -gt 0 ]; then
    LATKI=("$@")
else
    LATKI=("$KORZEN"/tests/mutations/*.patch)
fi
zlapane=0
przezyte=()
nie_pasuja=()
nie_buduja=()
for latka in "${LATKI[@]}"; do
    nazwa="$(basename "$latka" .patch)"
    pliki=$(sed -n 's|^+++ b/\([^[:space:]]*\).*|\1|p' "$latka")
    for p in $pliki; do cp "$KOPIA/$p" "$KOPIA/$p.oryginal"; done
    if ! patch -d "$KOPIA" -p1 -s --no-backup-if-mismatch --reject-file=/dev/null <"$latka" >/dev/null 2>&1; then
        wynik="nie pasuje"
        nie_pasuja+=("$nazwa")
    elif ! buduj; then
        wynik="nie buduje się"
        nie_buduja+=("$nazwa")
    elif testuj; then
        wynik="PRZEOCZONY"
        przezyte+=("$nazwa")
    else
        wynik="złapany"
        zlapane=$((zlapane + 1))
    fi
    # Taken back with a fresh time, so the next build compiles the file again (from ccache).
    for p in $pliki; do mv "$KOPIA/$p.oryginal" "$KOPIA/$p" && touch "$KOPIA/$p"; done
    printf '%-44s %s\n' "$nazwa" "$wynik"
done
buduj || true

ocenione=$((zlapane + ${#przezyte[@]}))
echo
echo "Złapane: $zlapane z $ocenione ($((ocenione ? 100 * zlapane / ocenione : 0)) %)"
[ ${#przezyte[@]} -eq 0 ] || echo "Przeoczone: ${przezyte[*]}"
[ ${#nie_pasuja[@]} -eq 0 ] || echo "Nie pasują (do odświeżenia): ${nie_pasuja[*]}"
[ ${#nie_buduja[@]} -eq 0 ] || echo "Nie budują się: ${nie_buduja[*]}"
