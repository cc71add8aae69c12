#pragma once
// Every test class of the window test program, run one after another by main.cpp, and the
// pieces they share.

#include <QAction>
#include <QDialog>
#include <QFile>
#include <QListWidget>
#include <QMessageBox>
#include <QObject>
#include <QTest>
#include <QUrl>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "TFormMain.h"
#include "TFrameRozkaz.h"
#include "TSymulator.h"

std::unique_ptr<QObject> TestyOknaGlownego();
std::unique_ptr<QObject> TestyPaneliEdycji();
std::unique_ptr<QObject> TestySchematu();
std::unique_ptr<QObject> TestyPaneliMaszyny();

// What the user would read on a modal box ("title|text") or dialog (its title).
inline QString Opis(QDialog& okno) {
    if (auto* box = qobject_cast<QMessageBox*>(&okno))
        return box->windowTitle() + QLatin1Char('|') + box->text();
    return okno.windowTitle();
}

inline QStringList Linie(const QListWidget* lista) {
    QStringList w;
    for (int i = 0; i < lista->count(); ++i)
        w << lista->item(i)->text();
    return w;
}

// "1" for each true, "0" for each false.
inline QString Bity(std::initializer_list<bool> b) {
    QString w;
    for (bool x : b)
        w += QLatin1Char(x ? '1' : '0');
    return w;
}

// Types text as key presses; "\n" is the Return key. Characters outside Latin-1 ("ł")
// go as the text of a key event, as an input method sends them.
inline void Wpisz(QWidget* w, const QString& tekst) {
    for (QChar z : tekst) {
        if (z == QLatin1Char('\n'))
            QTest::keyClick(w, Qt::Key_Return);
        else
            QTest::sendKeyEvent(QTest::Click, w, Qt::Key_unknown, QString(z), Qt::NoModifier);
    }
}

inline void ZapiszPlik(const QString& sciezka, const QByteArray& dane) {
    QFile f(sciezka);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(dane);
}

// The main window as the user has it, shown, with every modal box recorded in `okna` and
// answered by `odpowiedz` (none: "No" / cancel), and the addresses handed to the desktop.
struct TOknoGlowne {
    TSymulator s;
    TFormMain f{s};
    QStringList okna;
    std::function<int(QDialog&)> odpowiedz;
    QList<QUrl> adresy;

    explicit TOknoGlowne(const char* preset = nullptr) {
        if (preset) s.ZastosujPreset(preset);
        f.WykonajModalnie = [this](QDialog& okno, const TKoniecOkna& koniec) {
            okna << Opis(okno);
            koniec(odpowiedz ? odpowiedz(okno) : static_cast<int>(QMessageBox::No));
        };
        f.OtworzAdres = [this](const QUrl& u) { adresy << u; };
        f.FrameRozkaz1->PokazOkno = [this](TOkno, const QString& tekst,
                                           const std::function<void(bool)>& koniec) {
            okna << QStringLiteral("Rozkazy|") + tekst;
            if (koniec) koniec(true);
        };
        f.show();
    }
    TMaszyna& M() { return s.Maszyna; }
    QAction* A(const char* nazwa) const { return f.Akcja(QString::fromLatin1(nazwa)); }
    void Zaladuj(const std::vector<std::string>& program) {
        s.KompilujProgram(program);
        M().Reset();
    }
    bool& Wybrany(const char* sygnal) {
        return s.Architektura.Sygnaly[static_cast<std::size_t>(NumerSygnalu(sygnal))].Wybrany;
    }
};
