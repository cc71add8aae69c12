# Shared by run.sh and test.sh: installs what is missing and builds into build/.
set -euo pipefail
KORZEN="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
PAKIETY=(cmake g++ qt6-base-dev libgl-dev libgtest-dev libbenchmark-dev nlohmann-json3-dev
         libcli11-dev fonts-liberation clang xvfb imagemagick xdotool)

zainstaluj_pakiety() {
    local brak=()
    for p in "${PAKIETY[@]}"; do
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
