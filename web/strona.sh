#!/usr/bin/env bash
# Builds the web page into build-web/: the caption table exported from the window's own
# table, the page's scripts bundled with esbuild, the HTML and the style sheet.
# Usage: web/strona.sh [serve [PORT]]
set -euo pipefail
KORZEN="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
WEB="$KORZEN/web"
CEL="$KORZEN/build-web"
OBJ="$CEL/obj"
mkdir -p "$CEL" "$OBJ"

if [ "${1:-}" = "serve" ]; then
    PORT="${2:-8020}"
    echo "Strona: http://localhost:$PORT/"
    exec python3 -m http.server "$PORT" --bind 127.0.0.1 --directory "$CEL"
fi

# The npm packages as the lock file pins them.
if [ ! -d "$WEB/node_modules" ] || [ "$WEB/package-lock.json" -nt "$WEB/node_modules/.package-lock.json" ]; then
    (cd "$WEB" && npm ci --no-audit --no-fund)
fi

# Captions: the window's table, compiled natively and written as JSON.
if [ ! -f "$OBJ/napisy.json" ] || [ "$KORZEN/ui/TLanguages.h" -nt "$OBJ/napisy.json" ] ||
   [ "$WEB/napisy.cpp" -nt "$OBJ/napisy.json" ]; then
    c++ -std=c++20 -I"$KORZEN/ui" "$WEB/napisy.cpp" -o "$OBJ/napisy"
    "$OBJ/napisy" > "$OBJ/napisy.json"
fi

# The module: the model libraries and the page's commands.
if [ ! -f "$CEL/symulator.wasm" ] || [ -n "$(find "$KORZEN/core" "$KORZEN/microprogram" "$KORZEN/assembler" \
        "$KORZEN/architecture" "$KORZEN/app" "$WEB/strona" "$WEB/modul" $( [ -d "$KORZEN/schemat" ] && echo "$KORZEN/schemat") -newer "$CEL/symulator.wasm" -name '*.[ch]*' | head -1)" ]; then
    export NODE_PATH=/usr/share/nodejs
    mkdir -p "$OBJ/include"
    ln -sfn /usr/include/nlohmann "$OBJ/include/nlohmann"
    ZRODLA=("$KORZEN"/core/*.cpp "$KORZEN"/microprogram/*.cpp "$KORZEN"/assembler/*.cpp
            "$KORZEN"/architecture/*.cpp "$KORZEN/app/TSymulator.cpp" "$WEB/strona/Polecenia.cpp"
            "$KORZEN/app/Raport.cpp" "$KORZEN/app/Sprawdzanie.cpp" "$WEB/modul/Api.cpp")
    FLAGI=()
    # The picture library, where the tree has it.
    if [ -d "$KORZEN/schemat" ]; then
        ZRODLA+=("$KORZEN"/schemat/*.cpp)
        FLAGI+=(-DSYMULATOR_SCHEMAT -I"$KORZEN/schemat")
    fi
    OBIEKTY=()
    for z in "${ZRODLA[@]}"; do
        o="$OBJ/$(basename "$(dirname "$z")")_$(basename "$z" .cpp).o"
        OBIEKTY+=("$o")
        if [ ! -f "$o" ] || [ -n "$(find "$z" "$(dirname "$z")" -maxdepth 1 -name '*.h' -newer "$o" | head -1)" ] || [ "$z" -nt "$o" ]; then
            em++ -std=c++20 -O2 -fexceptions -DNDEBUG -I"$WEB/modul" -I"$KORZEN/core" -I"$KORZEN/microprogram" -I"$KORZEN/assembler" \
                -I"$KORZEN/architecture" -I"$KORZEN/app" "${FLAGI[@]}" -isystem "$OBJ/include" -c "$z" -o "$o"
        fi
    done
    em++ -O2 -fexceptions "${OBIEKTY[@]}" -o "$CEL/symulator.js" -sMODULARIZE=1 -sEXPORT_ES6=1 \
        -sENVIRONMENT=web -sALLOW_MEMORY_GROWTH=1 -sEXPORTED_RUNTIME_METHODS=cwrap
fi

# The page's scripts in one file; the module's loader stays beside it.
cd "$WEB"
node "$WEB/zbuduj.mjs" "$CEL" "$OBJ/napisy.json"
cp "$WEB/index.html" "$WEB/strona.css" "$CEL/"
echo "Strona zbudowana w $CEL"
