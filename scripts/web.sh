#!/usr/bin/env bash
# The simulator in WebAssembly. With no argument: installs emscripten when missing and
# builds the module into build-web/web/modul/ (symulator.mjs + symulator.wasm for the
# page, symulator_node.cjs + symulator_node.wasm for node). The desktop build is not
# touched. Further commands (serving the page) come as arguments.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

zbuduj_modul() {
    zainstaluj_pakiety "${PAKIETY_WEB[@]}"
    # em++ runs its JavaScript optimiser under the installed node, which does not look in
    # Debian's own module folder.
    export NODE_PATH=/usr/share/nodejs
    local ccache=()
    command -v ccache >/dev/null && ccache=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
    emcmake cmake -S "$KORZEN" -B "$KORZEN/build-web" -DCMAKE_BUILD_TYPE=Release "${ccache[@]}" >/dev/null
    cmake --build "$KORZEN/build-web" -j"$(nproc)" --target symulator_strona symulator_node
}

case "${1:-}" in
    "") zbuduj_modul ;;
    *)
        echo "Użycie: $0" >&2
        exit 2
        ;;
esac
