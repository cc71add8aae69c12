#include "Modalnie.h"

#include <QDialog>

void OtworzModalnie(QDialog& okno, TKoniecOkna koniec) {
    QObject::connect(
        &okno, &QDialog::finished, &okno,
        [koniec = std::move(koniec)](int wynik) {
            if (koniec) koniec(wynik);
        },
        Qt::SingleShotConnection);
    okno.open();
}

void ZapytajRaz(const TWykonajModalnie& wykonaj, QDialog* okno, TKoniecOkna koniec) {
    wykonaj(*okno, [okno, koniec = std::move(koniec)](int wynik) {
        // Later: `koniec` may still read the dialog (the chosen file, the typed text).
        okno->deleteLater();
        if (koniec) koniec(wynik);
    });
}
