# The Debian package built by scripts/package.sh: the two programs, the desktop entry,
# icons, file kinds, manual page, user guide and examples. Its dependencies are what the
# programs load at run time (read from the binaries by dpkg-shlibdeps) plus what they
# load by name: the Qt platform plugin and the fonts the window asks for.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME symulator)
set(CPACK_PACKAGE_VENDOR "Symulator komputera dydaktycznego")
set(CPACK_PACKAGE_CONTACT "Zespół symulatora <autor@symulator.example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "simulator of a microprogrammed didactic computer")
set(CPACK_PACKAGE_DESCRIPTION
    "A desktop simulator of a small microprogrammed didactic computer for teaching how a
processor executes instructions: choose an architecture, edit the instruction set and the
microprograms, write assembly programs and run them tick by tick, watching every
register, bus and memory cell. The interface is Polish. The package also has
symulator-cli, a headless runner for checking students' work.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation, qt6-qpa-plugins, qt6-translations-l10n")
# What makes a double click on a file and the Manual item work on a desktop.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils, desktop-file-utils, shared-mime-info")
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://symulator.example.org")
include(CPack)
