#!/usr/bin/env bash
# Fails when clang-format would change a tracked C++ file. The formatting depends on the
# clang-format version, so the check insists on Debian 12's: clang-format 14.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
zainstaluj_pakiety clang-format
wersja="$(clang-format --version)"
if ! [[ "$wersja" =~ version\ 14\. ]]; then
    echo "Sprawdzenie formatowania wymaga clang-format 14 (Debian 12), a jest: $wersja" >&2
    exit 1
fi
cd "$KORZEN"
if ! git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
    echo "Sprawdzenie formatowania potrzebuje repozytorium git (bierze pliki śledzone)." >&2
    exit 1
fi
zle=()
while IFS= read -r -d '' plik; do
    clang-format --dry-run -Werror "$plik" >/dev/null 2>&1 || zle+=("$plik")
done < <(git ls-files -z -- '*.cpp' '*.h')
if [ ${#zle[@]} -ne 0 ]; then
    echo "clang-format zmieniłby te pliki (popraw: clang-format -i PLIK):" >&2
    printf '  %s\n' "${zle[@]}" >&2
    exit 1
fi
echo "Formatowanie zgodne z clang-format 14."
