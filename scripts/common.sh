# Shared by the scripts: the Debian packages each command needs, installing the missing
# ones, and building into a folder of the project.
set -euo pipefail
KORZEN="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"

# Building and running the window: the compiler, Qt, the header-only libraries of the
# command-line runner, the fonts the window names (Liberation Sans, Liberation Mono, and
# Liberation Sans again for "Arial") and Qt's own Polish texts.
PAKIETY_OKNA=(cmake make g++ qt6-base-dev nlohmann-json3-dev libcli11-dev
              fonts-liberation qt6-translations-l10n)
# The tests and benchmarks, on top of the window's.
PAKIETY_TESTOW=(libgtest-dev libbenchmark-dev)
# The fuzz targets: clang with libFuzzer, and the runner's libraries.
PAKIETY_FUZZ=(cmake make clang libclang-rt-dev nlohmann-json3-dev libcli11-dev)
# The web module and page: emscripten, node to run the module (npm, for the page's packages,
# comes with it or from Debian's npm when missing: scripts/web.sh),
# the JSON headers, g++ for the caption table, Chromium and the schematic's font for the
# page's tests.
PAKIETY_WEB=(cmake make g++ emscripten nodejs nlohmann-json3-dev chromium fonts-liberation)

zainstaluj_pakiety() { # pakiet...
    local brak=()
    for p in "$@"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || brak+=("$p")
    done
    [ ${#brak[@]} -eq 0 ] && return 0
    echo "Instaluję brakujące pakiety: ${brak[*]}"
    local sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${brak[@]}"
}

zbuduj() { # katalog, opcje cmake...
    local katalog="$1"; shift
    cmake -S "$KORZEN" -B "$KORZEN/$katalog" "$@" >/dev/null
    cmake --build "$KORZEN/$katalog" -j"$(nproc)"
}
