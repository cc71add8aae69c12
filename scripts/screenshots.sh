#!/usr/bin/env bash
# Makes the user guide's screenshots (docs/obrazy/*.png) from the real window under Xvfb,
# driven by xdotool with the examples, so they follow the window whenever it changes.
# Usage: scripts/screenshots.sh [PATH_TO_symulator]   (default: build/ui/symulator)
set -euo pipefail
KORZEN="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
PROGRAM="${1:-$KORZEN/build/ui/symulator}"
PRZYKLADY="$KORZEN/examples"
CEL="$KORZEN/docs/obrazy"
for narzedzie in Xvfb xdotool import; do
    command -v "$narzedzie" >/dev/null || { echo "Brak programu $narzedzie (pakiety xvfb, xdotool, imagemagick)." >&2; exit 2; }
done
[ -x "$PROGRAM" ] || { echo "Brak programu $PROGRAM: najpierw zbuduj (scripts/run.sh)." >&2; exit 2; }
mkdir -p "$CEL"

# A display of our own, ended with everything started on it.
NUMER=91
while [ -e "/tmp/.X11-unix/X$NUMER" ] || [ -e "/tmp/.X$NUMER-lock" ]; do NUMER=$((NUMER + 1)); done
Xvfb ":$NUMER" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
XVFB=$!
export DISPLAY=":$NUMER"
SYMULATOR=""
sprzatnij() {
    [ -n "$SYMULATOR" ] && kill "$SYMULATOR" 2>/dev/null || true
    kill "$XVFB" 2>/dev/null || true
}
trap sprzatnij EXIT
for _ in $(seq 50); do xdotool getdisplaygeometry >/dev/null 2>&1 && break; sleep 0.1; done

OKNO=""
# Starts the window with the given files (relative to examples/) and waits for it.
uruchom() {
    zakoncz
    (cd "$PRZYKLADY" && exec "$PROGRAM" "$@") >/dev/null 2>&1 &
    SYMULATOR=$!
    OKNO="$(xdotool search --sync --name '^Symulator komputera dydaktycznego 1' | head -1)"
    sleep 1.5
}
zakoncz() {
    if [ -n "$SYMULATOR" ]; then kill "$SYMULATOR" 2>/dev/null || true; wait "$SYMULATOR" 2>/dev/null || true; fi
    SYMULATOR=""
}
# Without a window manager the keyboard goes where the pointer is: keep it on the window.
fokus() {
    xdotool mousemove --window "$OKNO" 700 5 windowfocus --sync "$OKNO" 2>/dev/null || true
}
klawisze() { fokus; xdotool key --delay 120 "$@"; sleep 0.4; }
pisz() { xdotool type --delay 60 "$1"; sleep 0.3; }
klik() { xdotool mousemove --window "$OKNO" "$1" "$2" click 1; sleep 0.5; }
# The top bar's buttons, left to right: Maszyna Program Rozkaz Mikroprogram JAL Konsola
# Debug Punkty.
panel() { klik $((44 + 84 * $1)) 45; }
# The k-th menu of the bar (0 Symulator ... 8 Punkty zatrzymania), then its n-th item: the
# arrow keys skip separators and hidden items.
menu() {
    klawisze alt+s
    for _ in $(seq 1 "$1"); do xdotool key Right; done
    for _ in $(seq 2 "$2"); do xdotool key Down; done
    xdotool key Return
    sleep 0.8
}
# The window's area of the screen, and a dialog over it when one is open.
zdjecie() { sleep 0.6; import -window root -crop 750x720+0+0 +repage "$CEL/$1.png"; echo "$CEL/$1.png"; }
# The architecture dialog: preset (0 K, 1 K+, 2 L, 3 EK, 4 Max) and the code width.
architektura() {
    menu 0 1
    xdotool search --sync --name '^Architektura$' >/dev/null
    sleep 0.5
    xdotool key Tab
    for _ in $(seq 1 "$1"); do xdotool key Down; done
    xdotool key Tab Tab ctrl+a
    pisz "$2"
    [ "${3:-}" = zdjecie ] && zdjecie architektura
    xdotool key Return
    sleep 0.8
}

# The program editor with the first example, compiled (Ctrl+F9).
uruchom przyklad.prg
klawisze ctrl+F9
zdjecie program
# A few instructions on the schematic (F8), then the same state on the JAL panel.
panel 0
klawisze F8 F8 F8 F8 F8
klawisze F7 F7
zdjecie maszyna
panel 4
zdjecie jal
panel 3
zdjecie mikroprogram
panel 2
zdjecie rozkaz
panel 6
zdjecie debug

# A breakpoint: its dialog, then the list.
uruchom mnozenie.prg
panel 7
menu 8 2
# "Licznik rozkazów L" "równa się" 7.
xdotool key Down Tab Tab ctrl+a
pisz 7
zdjecie punkt
xdotool key Return
sleep 0.5
zdjecie punkty

# The console: the echo example on machine EK with 4 code bits and its instruction set.
uruchom we_wy.roz echo.prg
architektura 3 4 zdjecie
menu 3 4
panel 1
klawisze ctrl+F9
panel 5
klik 300 680
pisz "Ala ma kota"
panel 0
klawisze F9
sleep 1
panel 5
zdjecie konsola

# Interrupts: machine L, the interrupt instructions, a request raised on the schematic.
uruchom przerwania.roz przerwanie.prg
architektura 2 4
menu 3 4
panel 1
klawisze ctrl+F9
panel 0
klawisze F8 F8 F8
# The request button 3 above the schematic, then instructions until it is served.
klik 202 126
klawisze F8 F8 F8 F8
zdjecie przerwania
