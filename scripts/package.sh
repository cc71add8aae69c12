#!/usr/bin/env bash
# Builds the Debian package symulator_*.deb into build-pakiet/ with CPack: the window,
# the runner, the desktop entry, icons, file kinds, manual page, user guide and examples.
# Installs what the build needs first (as run.sh does), plus dpkg-dev for the library
# dependencies and cmark-gfm for the guide's HTML.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
zainstaluj_pakiety "${PAKIETY_OKNA[@]}" dpkg-dev file cmark-gfm
katalog="$KORZEN/build-pakiet"
# Only what goes into the package is built: no tests, no benchmarks.
cmake -S "$KORZEN" -B "$katalog" -DCMAKE_BUILD_TYPE=Release -DSYMULATOR_BENCH=OFF \
    -DCMAKE_SKIP_INSTALL_ALL_DEPENDENCY=ON >/dev/null
cmake --build "$katalog" -j"$(nproc)" --target symulator-gui symulator-cli podrecznik
rm -f "$katalog"/symulator_*.deb
(cd "$katalog" && cpack -G DEB >/dev/null)
pakiet="$(ls "$katalog"/symulator_*.deb)"
echo "$pakiet"
dpkg-deb --info "$pakiet" | sed -n '/Depends\|Recommends\|Installed-Size/p'
