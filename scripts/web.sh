#!/usr/bin/env bash
# The simulator in a web browser, built into build-web/. With no argument: installs what is
# missing (emscripten, node, npm, Chromium for the page's tests), builds the module into
# build-web/web/modul/ (symulator.mjs + symulator.wasm for the page, symulator_node.cjs +
# symulator_node.wasm for node), then the page beside it: the window's caption table as
# JSON, the page's scripts bundled with esbuild (npm packages from web/package-lock.json),
# index.html and the style sheet. The desktop build is not touched.
# Usage: scripts/web.sh            build
#        scripts/web.sh serve [PORT]  serve build-web/ on http://localhost:PORT/ (8020)
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
CEL="$KORZEN/build-web"
WEB="$KORZEN/web"

zbuduj_modul() {
    # em++ runs its JavaScript optimiser under the installed node, which does not look in
    # Debian's own module folder.
    export NODE_PATH=/usr/share/nodejs
    local ccache=()
    command -v ccache >/dev/null && ccache=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
    emcmake cmake -S "$KORZEN" -B "$CEL" -DCMAKE_BUILD_TYPE=Release "${ccache[@]}" >/dev/null
    cmake --build "$CEL" -j"$(nproc)" --target symulator_strona symulator_node
}

zbuduj_strone() {
    # The npm packages exactly as the lock file pins them.
    if [ ! -d "$WEB/node_modules" ] || [ "$WEB/package-lock.json" -nt "$WEB/node_modules/.package-lock.json" ]; then
        (cd "$WEB" && npm ci --no-audit --no-fund)
    fi
    # Captions: the window's own table, compiled natively and written as JSON.
    local napisy="$CEL/strona/napisy.json"
    mkdir -p "$CEL/strona"
    if [ ! -f "$napisy" ] || [ "$KORZEN/ui/TLanguages.h" -nt "$napisy" ] || [ "$WEB/napisy.cpp" -nt "$napisy" ]; then
        c++ -std=c++20 -I"$KORZEN/ui" "$WEB/napisy.cpp" -o "$CEL/strona/napisy"
        "$CEL/strona/napisy" > "$napisy.nowy"
        mv "$napisy.nowy" "$napisy"
    fi
    (cd "$WEB" && node zbuduj.mjs "$CEL" "$napisy")
    cp "$WEB/index.html" "$WEB/strona.css" "$CEL/"
    echo "Strona zbudowana w $CEL (scripts/web.sh serve)"
}

case "${1:-}" in
    "")
        zainstaluj_pakiety "${PAKIETY_WEB[@]}"
        # Node from another source brings its own npm, which Debian's package would clash with.
        command -v npm >/dev/null || zainstaluj_pakiety npm
        zbuduj_modul
        zbuduj_strone
        ;;
    serve)
        [ -f "$CEL/index.html" ] || { echo "Brak strony w $CEL: najpierw scripts/web.sh" >&2; exit 2; }
        exec node "$WEB/serwer.mjs" "$CEL" "${2:-8020}"
        ;;
    *)
        echo "Użycie: $0 [serve [PORT]]" >&2
        exit 2
        ;;
esac
