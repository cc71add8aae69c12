#pragma once
// The window looks the same on every machine: its fonts are named, at pixel sizes the
// layout was drawn for (row heights of 18, 17 and 15 pixels, column widths), the style
// is Fusion with its own palette, and file dialogs are Qt's own, never the desktop's.

#include <QFont>
#include <QString>
#include <QStringList>

#include <vector>

class QApplication;

// All three come from this Debian package; "Arial" resolves to Liberation Sans, which
// has its metrics.
inline constexpr char PakietCzcionek[] = "fonts-liberation";

// The general type of menus, panels, grids and dialogs: Liberation Sans, 12 pixels.
QFont CzcionkaOgolna();
// The fixed-pitch type of editors, listings and the console: Liberation Mono.
QFont CzcionkaStala(int piksele = 12);
// The type of the machine's schematic: "Arial".
QFont CzcionkaSchematu(int piksele);

struct TWymaganaCzcionka {
    QFont Czcionka;
    QString Rodzina; // the family it has to resolve to
};

// The window's fonts and the families they must resolve to.
std::vector<TWymaganaCzcionka> CzcionkiOkna();

// One line for each font that resolves to another family than it must, naming the
// family it got and the package to install.
QStringList BrakujaceCzcionki(const std::vector<TWymaganaCzcionka>& czcionki);

// Style, palette, font and Qt's own dialogs for the whole application; any missing font
// is reported on standard error. Called once, right after the application is created.
void UstawWyglad(QApplication& aplikacja);
