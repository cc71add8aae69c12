#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScopeGuard>
#include <QScreen>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QStyle>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QUrl>

#include "EdytorKodu.h"
#include "ListaKomunikatow.h"
#include "TAboutBox.h"
#include "TFormMain.h"
#include "TFrameCPU.h"
#include "TFrameKonsola.h"
#include "TFrameMaszyna.h"
#include "TFramePamiecMikroprogramu.h"
#include "TFrameProgram.h"
#include "TFrameRozkaz.h"
#include "TLanguages.h"
#include "TObrazMaszyny.h"
#include "TSplashScreen.h"
#include "TSymulator.h"
#include "TestyUi.h"
#include "Wyglad.h"

namespace {

QString Q(std::string_view s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

// What the user would read on a modal box or dialog.
QString Opis(QDialog& okno) {
    if (auto* box = qobject_cast<QMessageBox*>(&okno))
        return box->windowTitle() + QLatin1Char('|') + box->text();
    return okno.windowTitle();
}

QByteArray Plik(const QString& sciezka) {
    QFile f(sciezka);
    if (!f.open(QIODevice::ReadOnly)) return {};
    return f.readAll();
}

void ZapiszPlik(const QString& sciezka, const QByteArray& dane) {
    QFile f(sciezka);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(dane);
}

} // namespace

class TestOknaGlownego : public QObject {
    Q_OBJECT

    std::unique_ptr<TSymulator> s;
    std::unique_ptr<TFormMain> f;
    QStringList okna;                       // every modal box the window ran
    std::function<int(QDialog&)> odpowiedz; // the answer; none means "cancel" / "No"
    QList<QUrl> adresy;                     // addresses handed to the desktop
    QStringList oknaRozkazow;               // boxes of the instruction editor

    QAction* A(const char* nazwa) { return f->Akcja(QString::fromLatin1(nazwa)); }
    TMaszyna& M() { return s->Maszyna; }
    // pob 3; dod 4; stop, with the words 5 and 7.
    void DodajIStop() {
        M().WstawKomorke(0, 4, 3, "110");
        M().WstawKomorke(1, 1, 4, "110");
        M().WstawKomorke(2, 0, 0, "110");
        M().WstawKomorke(3, 0, 5, "000");
        M().WstawKomorke(4, 0, 7, "000");
        M().Reset();
        f->UstawDostepnosc();
    }

    // Enabled, checked and visible states, in groups: Recznie (button, menu) and the Stop
    // buttons (schematic, CPU) | Symulator Program Rozkazy Mikroprogram Punkty Maszyna CPU
    // Konsola Debug | top buttons 1 2 3 8 4 5 6 7 | Maszyna > Takt Rozkaz Program Stop |
    // schematic Takt Rozkaz Program, CPU Takt Rozkaz Program | the Reset items and buttons
    // and the CPU menu's items.
    QString Dostepnosc() {
        TFrameMaszyna* m = f->FrameMaszyna1;
        TFrameCPU* c = f->FrameCPU1;
        auto a = [this](const char* nazwa) { return A(nazwa)->isEnabled(); };
        auto p = [](const QToolButton* b) { return b->isEnabled(); };
        auto g = [&](int n) { return p(f->Przycisk(n)); };
        const std::vector<std::vector<bool>> grupy = {
            {m->SpeedButtonRecznie->isChecked(), A("Menu_Maszyna_Recznie")->isChecked(),
             !m->SpeedButtonStop->isHidden(), !c->SpeedButtonStop->isHidden()},
            {a("Menu_Symulator"), a("Menu_Program"), a("Menu_Rozkazy"), a("Menu_Mikroprogram"),
             a("Menu_Breakpoints"), a("Menu_Maszyna"), a("Menu_CPU"), a("Menu_Konsola"),
             a("Menu_Debug")},
            {g(1), g(2), g(3), g(8), g(4), g(5), g(6), g(7)},
            {a("Menu_Maszyna_Takt"), a("Menu_Maszyna_Rozkaz"), a("Menu_Maszyna_Program"),
             a("Menu_Maszyna_Stop")},
            {p(m->SpeedButtonTakt), p(m->SpeedButtonRozkaz), p(m->SpeedButtonProgram),
             p(c->SpeedButtonTakt), p(c->SpeedButtonRozkaz), p(c->SpeedButtonProgram)},
            {a("Menu_Maszyna_Reset"), p(m->SpeedButtonReset), p(c->SpeedButtonReset),
             a("Menu_CPU_PokazPanel"), a("Menu_CPU_Takt"), a("Menu_CPU_Rozkaz"),
             a("Menu_CPU_Program"), a("Menu_CPU_Reset"), a("Menu_CPU_Stop")},
        };
        QStringList w;
        for (const std::vector<bool>& grupa : grupy) {
            w << QString();
            for (bool x : grupa)
                w.last() += x ? QLatin1Char('1') : QLatin1Char('0');
        }
        return w.join(QLatin1Char(' '));
    }

  private slots:
    void init() {
        s = std::make_unique<TSymulator>();
        f = std::make_unique<TFormMain>(*s);
        okna.clear();
        adresy.clear();
        oknaRozkazow.clear();
        odpowiedz = nullptr;
        f->WykonajModalnie = [this](QDialog& okno) {
            okna << Opis(okno);
            return odpowiedz ? odpowiedz(okno) : static_cast<int>(QMessageBox::No);
        };
        f->OtworzAdres = [this](const QUrl& u) { adresy << u; };
        f->FrameRozkaz1->PokazOkno = [this](TOkno, const QString& tekst) {
            oknaRozkazow << tekst;
            return true;
        };
        f->show();
    }

    void cleanup() {
        f.reset();
        s.reset();
    }

    void startUstawiaOknoJakPrzyPierwszymPokazaniu() {
        QCOMPARE(QRect(f->pos(), f->size()), QRect(0, 0, 750, 720));
        QCOMPARE((QStringList{f->windowTitle(), QCoreApplication::applicationName(), f->Status(0)}),
                 (QStringList{"Symulator komputera dydaktycznego 1.00",
                              "Symulator komputera dydaktycznego", "K"}));
        QCOMPARE(f->WidocznyPanel(), 1);
        QVERIFY(f->SpeedButtonMaszyna->isChecked());
        QCOMPARE(Dostepnosc(), QStringLiteral("0000 111111111 11111111 1111 111111 111111111"));
        QVERIFY(A("Menu_Polski")->isChecked() && !A("Menu_Angielski")->isChecked());
        QCOMPARE(s->StanPracy.TrybPracy, 0);
        QCOMPARE(std::pair(M().BityAdresu(), M().BityKodu()), std::pair(5, 3));
        QCOMPARE(s->ListaRozkazow.Count(), 7);
        // The microprogram is compiled: the fetch row and the entry row of "dod".
        QCOMPARE(s->PamiecMikroprogramu.Wiersz(-1).Sygnaly, std::string("czyt wys wei il"));
        QCOMPARE(s->PamiecMikroprogramu.Wiersz(1).Sygnaly, std::string("wyad wea "));
        QCOMPARE(f->FrameProgram1->ComboBoxProgram->currentText(), QStringLiteral("Program"));
        QVERIFY(f->FrameProgram1->LinieProgramu().empty());
        QCOMPARE(f->FrameMaszyna1->ListBox1->frameShape(), QFrame::NoFrame);
    }

    void pasekGornyMaPrzyciskiWJednejGrupie() {
        const int panele[] = {1, 2, 3, 8, 4, 5, 6, 7};
        const QStringList napisy = {"Maszyna", "Program", "Rozkaz", "Mikroprogram",
                                    "JAL",     "Konsola", "Debug",  "Punkty zatrzymania"};
        for (int i = 0; i < 8; ++i) {
            const QToolButton* b = f->Przycisk(panele[i]);
            QCOMPARE(b->geometry(), QRect(4 + 84 * i, 4, i == 7 ? 105 : 85, 45));
            QCOMPARE(b->text(), napisy[i]);
        }
        QCOMPARE(f->PanelTop->height(), 55);
        QCOMPARE(f->Image1->geometry(), QRect(79, 4, 8, 45));
        // Exactly one is down.
        f->SpeedButtonCPU->click();
        int wcisniete = 0;
        for (int p = 1; p <= 8; ++p)
            wcisniete += f->Przycisk(p)->isChecked();
        QCOMPARE(wcisniete, 1);
        QVERIFY(f->SpeedButtonCPU->isChecked());
        QCOMPARE(f->WidocznyPanel(), 4);
    }

    void menuMaWszystkiePozycjeWKolejnosci() {
        auto opisz = [](const QMenu* menu) {
            QStringList w;
            for (const QAction* a : menu->actions()) {
                QString p = a->isSeparator() ? QStringLiteral("-") : a->objectName();
                if (a->menu()) p += QLatin1Char('>');
                if (!a->isVisible()) p += QStringLiteral("(h)");
                w << p;
            }
            return w.join(QLatin1Char(' '));
        };
        // Pomoc stands apart at the right end of the bar, behind a separator.
        QStringList menu;
        for (const QAction* a : f->menuBar()->actions())
            menu << (a->isSeparator() ? QStringLiteral("-")
                                      : a->objectName() + QStringLiteral(": ") + opisz(a->menu()));
        const QStringList oczekiwane = {
            "Menu_Symulator: Menu_Symulator_Wczytaj(h) Menu_Symulator_Zapisz(h) -(h) "
            "Menu_Symulator_Architektura - Menu_Jezyk> - Menu_Symulator_Zakoncz",
            "Menu_Maszyna: Menu_Maszyna_PokazPanel - Menu_Maszyna_Wczytaj Menu_Maszyna_Zapisz - "
            "Menu_Maszyna_Recznie - Menu_Maszyna_Takt Menu_Maszyna_Rozkaz "
            "Menu_Maszyna_TaktWstecz Menu_Maszyna_RozkazWstecz Menu_Maszyna_Program "
            "Menu_Maszyna_Reset Menu_Maszyna_Stop",
            "Menu_Program: Menu_Program_PokazPanel - Menu_Program_Wczytaj Menu_Program_Zapisz - "
            "Menu_Program_Kompiluj",
            "Menu_Rozkazy: Menu_Rozkazy_PokazPanel - Menu_Rozkazy_Wczytaj Menu_Rozkazy_Zapisz - "
            "Menu_Rozkazy_Kompiluj Menu_Rozkazy_Dodaj Menu_Rozkazy_Usun - "
            "Menu_Rozkazy_UsunWszystkie Menu_Rozkazy_UstawStandardowe",
            "Menu_Mikroprogram: Menu_Mikroprogram_PokazPanel - Menu_Mikroprogram_PokazWszystkie "
            "Menu_Mikroprogram_UkryjPuste",
            "Menu_CPU: Menu_CPU_PokazPanel - Menu_CPU_Takt Menu_CPU_Rozkaz Menu_CPU_Program "
            "Menu_CPU_Reset Menu_CPU_Stop",
            "Menu_Konsola: Menu_Konsola_PokazPanel - Menu_Konsola_Wyczysc",
            "Menu_Debug: Menu_Debug_PokazPanel - Menu_Debug_Wyczysc",
            "Menu_Breakpoints: Menu_Breakpoints_PokazPanel - Menu_Breakpoints_Wczytaj(h) "
            "Menu_Breakpoints_Zapisz(h) -(h) Menu_Breakpoints_Dodaj Menu_Breakpoints_Usun",
            "-",
            "Menu_Pomoc: Menu_Pomoc_TematyPomocy(h) -(h) Menu_Pomoc_StronaDomowa(h) "
            "Menu_Pomoc_SprawdzenieWersjiProgramu(h) Menu_Pomoc_Email(h) -(h) "
            "Menu_Pomoc_Podrecznik Menu_Pomoc_Informacje",
        };
        QCOMPARE(menu, oczekiwane);
        QCOMPARE(opisz(A("Menu_Jezyk")->menu()), QStringLiteral("Menu_Polski Menu_Angielski"));
        QCOMPARE(A("Menu_Symulator_Zakoncz")->text(), QStringLiteral("Za&kończ"));
    }

    void trasowaniePokazujePanel_data() {
        QTest::addColumn<QString>("pozycja");
        QTest::addColumn<int>("panel");
        const std::pair<int, const char*> tabela[] = {
            {1, "Maszyna_PokazPanel Maszyna_Recznie Maszyna_Takt Maszyna_Rozkaz Maszyna_Program "
                "Maszyna_Reset Maszyna_Stop"},
            {2, "Program_PokazPanel Program_Kompiluj"},
            {3, "Rozkazy_PokazPanel Rozkazy_Kompiluj Rozkazy_Dodaj Rozkazy_Usun"},
            {8, "Mikroprogram_PokazPanel Mikroprogram_PokazWszystkie Mikroprogram_UkryjPuste"},
            {4, "CPU_PokazPanel CPU_Takt CPU_Rozkaz CPU_Program CPU_Reset CPU_Stop"},
            {5, "Konsola_PokazPanel Konsola_Wyczysc"},
            {6, "Debug_PokazPanel Debug_Wyczysc"},
            {7, "Breakpoints_PokazPanel Breakpoints_Dodaj Breakpoints_Usun"},
        };
        for (const auto& [panel, pozycje] : tabela)
            for (const QString& p : QString::fromLatin1(pozycje).split(QLatin1Char(' ')))
                QTest::newRow(qPrintable(p)) << QStringLiteral("Menu_") + p << panel;
    }

    void trasowaniePokazujePanel() {
        QFETCH(QString, pozycja);
        QFETCH(int, panel);
        const int poprzedni = panel == 6 ? 1 : 6;
        f->Przycisk(poprzedni)->click();
        QCOMPARE(f->WidocznyPanel(), poprzedni);
        f->Akcja(pozycja)->trigger();
        QCOMPARE(f->WidocznyPanel(), panel);
        QVERIFY(f->Przycisk(panel)->isChecked());
    }

    void trasowaniePolecenMaszyny() {
        DodajIStop();
        s->Konsola.UstawWejscie("abc");
        A("Menu_Maszyna_Takt")->trigger();
        QCOMPARE(M().BiezacyWiersz(), 4);
        QCOMPARE(f->Status(1), QStringLiteral(" czyt wys wei il"));
        A("Menu_Maszyna_Rozkaz")->trigger(); // finishes the started "pob"
        QCOMPARE(M().Wartosc(Slot::AK), 5u);
        QVERIFY(!M().Zatrzymana());
        QVERIFY(f->FrameMaszyna1->SpeedButtonStop->isHidden());

        A("Menu_Maszyna_Reset")->trigger();
        QCOMPARE(M().Wartosc(Slot::AK), 0u);
        QVERIFY(s->StanPracy.ZadanieStopu);
        QVERIFY(s->Konsola.WejsciePuste()); // the schematic's Reset empties the console

        A("Menu_Maszyna_Program")->trigger();
        QVERIFY(M().Zatrzymana());
        QCOMPARE(M().Wartosc(Slot::AK), 12u);
        QCOMPARE(s->StanPracy.TrybPracy, 0);
        QVERIFY(!f->FrameMaszyna1->SpeedButtonTakt->isEnabled());

        s->StanPracy.ZadanieStopu = false;
        A("Menu_Maszyna_Stop")->trigger();
        QVERIFY(s->StanPracy.ZadanieStopu);
    }

    void trasowaniePolecenCPU() {
        DodajIStop();
        s->Konsola.UstawWejscie("abc");
        // In manual mode the CPU panel's Takt still runs the microprogram.
        s->StanPracy.TrybPracy = 1;
        A("Menu_CPU_Takt")->trigger();
        QCOMPARE(M().BiezacyWiersz(), 4);
        s->StanPracy.TrybPracy = 0;
        A("Menu_CPU_Rozkaz")->trigger();
        QCOMPARE(M().Wartosc(Slot::AK), 5u);
        A("Menu_CPU_Program")->trigger();
        QVERIFY(M().Zatrzymana());
        QCOMPARE(M().Wartosc(Slot::AK), 12u);
        QVERIFY(!f->FrameCPU1->SpeedButtonProgram->isEnabled());
        A("Menu_CPU_Reset")->trigger();
        QVERIFY(!M().Zatrzymana());
        QVERIFY(f->FrameCPU1->SpeedButtonProgram->isEnabled());
        QCOMPARE(s->Konsola.Wejscie(), std::string("abc")); // the CPU panel's Reset keeps it
        s->StanPracy.ZadanieStopu = false;
        A("Menu_CPU_Stop")->trigger();
        QVERIFY(s->StanPracy.ZadanieStopu);
    }

    void recznieZMenuNieCzysciWyboru() {
        bool& wea = s->Architektura.Sygnaly[static_cast<std::size_t>(NumerSygnalu("wea"))].Wybrany;
        wea = true;
        A("Menu_Maszyna_Recznie")->trigger();
        QCOMPARE(s->StanPracy.TrybPracy, 1);
        QCOMPARE(Dostepnosc().left(4), QStringLiteral("1100")); // the menu item and the button
        QVERIFY(wea);
        // The schematic's Takt now runs the chosen signals and clears the choice.
        A("Menu_Maszyna_Takt")->trigger();
        QCOMPARE(M().BiezacyTekst(), std::string("wea "));
        QCOMPARE(M().BiezacyWiersz(), -1);
        QVERIFY(!wea);
        A("Menu_Maszyna_Recznie")->trigger();
        QCOMPARE(s->StanPracy.TrybPracy, 0);
        QCOMPARE(Dostepnosc().left(4), QStringLiteral("0000"));
        // The schematic's own button clears the choice.
        wea = true;
        f->FrameMaszyna1->SpeedButtonRecznie->click();
        QCOMPARE(s->StanPracy.TrybPracy, 1);
        QVERIFY(!wea);
    }

    void trasowanieListyRozkazow() {
        A("Menu_Rozkazy_UsunWszystkie")->trigger();
        QVERIFY(okna.isEmpty() && oknaRozkazow.isEmpty()); // without a question
        QCOMPARE(s->ListaRozkazow.Count(), 1);
        QCOMPARE(s->PamiecMikroprogramu.Wiersz(1).Sygnaly, std::string()); // recompiled: no "dod"
        QCOMPARE(s->PamiecMikroprogramu.Wiersz(0).Sygnaly, std::string("stp "));
        A("Menu_Rozkazy_UstawStandardowe")->trigger();
        QVERIFY(okna.isEmpty());
        QCOMPARE(s->ListaRozkazow.Count(), 7);
        QCOMPARE(s->PamiecMikroprogramu.Wiersz(1).Sygnaly, std::string("wyad wea "));
        A("Menu_Rozkazy_Dodaj")->trigger();
        QCOMPARE(s->ListaRozkazow.Count(), 8);
    }

    void trasowaniePamieciKonsoliIDebug() {
        A("Menu_Mikroprogram_UkryjPuste")->trigger();
        QVERIFY(f->FramePamiecMikroprogramu1->SpeedButtonUkryjPuste->isChecked());
        A("Menu_Mikroprogram_PokazWszystkie")->trigger();
        QVERIFY(f->FramePamiecMikroprogramu1->SpeedButtonWszystkie->isChecked());

        s->Konsola.UstawWejscie("ab");
        s->Konsola.Wypisz('A');
        A("Menu_Konsola_Wyczysc")->trigger();
        QVERIFY(s->Konsola.WejsciePuste());
        QVERIFY(s->Konsola.Wyjscie().empty());

        // The machine's messages reach the schematic's per-tick list and the log, whose
        // button turns red and bold until the log is emptied.
        M().ZglosKomunikat("WEA - Próba odczytu z pustej magistrali adresowej A");
        QVERIFY(f->SpeedButtonDebug->font().bold());
        QCOMPARE(f->SpeedButtonDebug->palette().color(QPalette::ButtonText), QColor(Qt::red));
        QCOMPARE(f->FrameMaszyna1->ListBox1->count(), 1);
        A("Menu_Debug_Wyczysc")->trigger();
        QVERIFY(s->Dziennik.Linie().empty());
        QVERIFY(!f->SpeedButtonDebug->font().bold());
        QCOMPARE(f->SpeedButtonDebug->palette().color(QPalette::ButtonText),
                 f->palette().color(QPalette::ButtonText));
        M().Takt(); // a new tick empties the per-tick list
        QCOMPARE(f->FrameMaszyna1->ListBox1->count(), 0);
    }

    void debugWracaDoNormyPoKliknieciu() {
        M().ZglosKomunikat("x");
        QVERIFY(f->SpeedButtonDebug->font().bold());
        f->SpeedButtonDebug->click();
        QCOMPARE(f->WidocznyPanel(), 6);
        QVERIFY(!f->SpeedButtonDebug->font().bold());
        QCOMPARE(s->Dziennik.Linie().size(), std::size_t(1)); // the log itself stays
    }

    void architekturaOdswiezaPanelePoOknieJakiegokolwiekWyniku() {
        QDialog dialog;
        f->FormArchitektura = &dialog;
        odpowiedz = [this](QDialog&) {
            s->ZastosujPreset("Max");
            return static_cast<int>(QDialog::Rejected);
        };
        f->UstawStatus(1, QStringLiteral("x"));
        f->Architektura2->trigger();
        QCOMPARE(okna.size(), 1);
        QCOMPARE(f->Status(0), QStringLiteral("Max"));
        QCOMPARE(f->Status(1), QStringLiteral(" ")); // the schematic and CPU panels redrew
        // Applied: the emptied memory is said.
        odpowiedz = [](QDialog& d) {
            d.accept();
            return static_cast<int>(QDialog::Accepted);
        };
        f->Architektura2->trigger();
        QCOMPARE(f->Status(1), QStringLiteral("Pamięć wyczyszczona po zmianie architektury"));
    }

    void menuArchitekturyPodPrzyciskiemMaszyna() {
        auto pokazane = [this] {
            const bool widoczne = f->PopupMenu1->isVisible();
            f->PopupMenu1->hide();
            return widoczne;
        };
        QTest::mouseClick(f->Image1, Qt::LeftButton);
        QCOMPARE(f->PopupMenu1->pos(),
                 f->SpeedButtonMaszyna->mapToGlobal(QPoint(0, f->SpeedButtonMaszyna->height())));
        QVERIFY(pokazane());
        QContextMenuEvent kontekst(QContextMenuEvent::Mouse, QPoint(2, 2),
                                   f->Image1->mapToGlobal(QPoint(2, 2)));
        QApplication::sendEvent(f->Image1, &kontekst);
        QVERIFY(pokazane());
        emit f->StatusBar1->customContextMenuRequested(QPoint(5, 5));
        QVERIFY(pokazane());
    }

    void ukrytePozycjeOtwierajaAdresy() {
        // Shown, as another build might, they do what the help menu promises.
        for (const char* n :
             {"Menu_Symulator_Wczytaj", "Menu_Symulator_Zapisz", "Menu_Breakpoints_Wczytaj",
              "Menu_Breakpoints_Zapisz", "Menu_Pomoc_TematyPomocy", "Menu_Pomoc_StronaDomowa",
              "Menu_Pomoc_SprawdzenieWersjiProgramu", "Menu_Pomoc_Email"}) {
            A(n)->setVisible(true);
            A(n)->trigger();
        }
        QVERIFY(okna.isEmpty());
        QCOMPARE(adresy.size(), 4);
        QVERIFY(adresy[0].isLocalFile());
        QCOMPARE(adresy[0].fileName(), QStringLiteral("Zerwon.hlp"));
        QCOMPARE(adresy[1].toString(), TFormMain::AdresStronyDomowej());
        QCOMPARE(adresy[2].toString(),
                 TFormMain::AdresStronyDomowej() + QStringLiteral("/check.php?ver=1.00"));
        QCOMPARE(adresy[3].scheme(), QStringLiteral("mailto"));
    }

    void informacjeNaSrodkuEkranu() {
        f->AboutBox->move(3, 3);
        A("Menu_Pomoc_Informacje")->trigger();
        QCOMPARE(okna, QStringList{QStringLiteral("Informacje")});
        const QPoint srodek = QGuiApplication::primaryScreen()->geometry().center();
        QVERIFY((f->AboutBox->frameGeometry().center() - srodek).manhattanLength() <= 2);
        QCOMPARE(f->AboutBox->size(), QSize(342, 213));
        QCOMPARE((QStringList{f->AboutBox->ProductName->text(), f->AboutBox->Version->text(),
                              f->AboutBox->Label2->text()}),
                 (QStringList{"Symulator komputera dydaktycznego", "Wersja 1.00",
                              "Praca dyplomowa inżynierska"}));
        QVERIFY(f->AboutBox->ProductName->font().bold());
        QVERIFY(f->AboutBox->Label1->text().startsWith(QStringLiteral("Autor: ")));
        QVERIFY(f->AboutBox->OKButton->isDefault());
        QCOMPARE(f->AboutBox->OKButton->geometry(), QRect(134, 180, 75, 25));
    }

    // ---- files ----

    void plikiTrzechRodzajow() {
        QTemporaryDir katalog;
        QString plik;
        QStringList filtry;
        odpowiedz = [&](QDialog& okno) {
            auto* d = qobject_cast<QFileDialog*>(&okno);
            if (!d) return static_cast<int>(QMessageBox::Ok);
            filtry << d->nameFilters().join(QLatin1Char('|')) + QLatin1Char('|') +
                          d->defaultSuffix();
            d->selectFile(plik);
            return static_cast<int>(QDialog::Accepted);
        };
        plik = katalog.filePath(QStringLiteral("k.mas"));
        A("Menu_Maszyna_Zapisz")->trigger();
        QCOMPARE(
            Plik(plik),
            QByteArray(
                "wel\r\nwyl\r\nil\r\nwei\r\nwyad\r\nczyt\r\npisz\r\nwea\r\nwes\r\nwys\r\nweja\r\n"
                "weak\r\nwyak\r\ndod\r\node\r\nprzep\r\nstp\r\n"));
        ZapiszPlik(plik, "wex\nstp\n");
        f->UstawStatus(1, QStringLiteral("x"));
        A("Menu_Maszyna_Wczytaj")->trigger();
        QVERIFY(s->Architektura.Jest(NumerSygnalu("wex")));
        QVERIFY(!s->Architektura.Jest(NumerSygnalu("wel")));
        QCOMPARE(f->Status(0), QStringLiteral("K")); // the preset name stays
        QCOMPARE(f->Status(1), QStringLiteral(" ")); // the panels redrew

        plik = katalog.filePath(QStringLiteral("p.prg"));
        f->FrameProgram1->UstawLinieProgramu({"\tpob 3 ; ład", "stop"});
        A("Menu_Program_Zapisz")->trigger();
        QCOMPARE(Plik(plik), QByteArray("\tpob 3 ; \xb3"
                                        "ad\r\nstop\r\n"));
        ZapiszPlik(plik, "a\nb");
        A("Menu_Program_Wczytaj")->trigger();
        QCOMPARE(f->FrameProgram1->LinieProgramu(), (std::vector<std::string>{"a", "b"}));
        QCOMPARE(f->Status(1), QStringLiteral("Wczytano program p.prg – skompiluj go (Ctrl+F9)"));

        plik = katalog.filePath(QStringLiteral("r.roz"));
        A("Menu_Rozkazy_Zapisz")->trigger();
        QVERIFY(Plik(plik).startsWith("7\r\ndod\r\n"));
        A("Menu_Rozkazy_UsunWszystkie")->trigger();
        A("Menu_Rozkazy_Wczytaj")->trigger();
        QCOMPARE(s->ListaRozkazow.Count(), 7);
        QCOMPARE(s->ListaRozkazow[3].Nazwa, std::string("ład"));
        QCOMPARE(filtry, (QStringList{"Maszyna (*.mas)|Wszystkie pliki (*)|mas",
                                      "Maszyna (*.mas)|Wszystkie pliki (*)|",
                                      "Program (*.prg)|Wszystkie pliki (*)|prg",
                                      "Program (*.prg)|Wszystkie pliki (*)|",
                                      "Rozkazy (*.roz)|Wszystkie pliki (*)|roz",
                                      "Rozkazy (*.roz)|Wszystkie pliki (*)|"}));
        QCOMPARE(okna.size(), 6); // the file dialogs, no error box

        // A refused file is shown in a box and changes nothing; so is one that cannot be read.
        ZapiszPlik(plik, "1\r\nx\r\nopis\r\nabc\r\n");
        okna.clear();
        A("Menu_Rozkazy_Wczytaj")->trigger();
        QCOMPARE(okna.size(), 2);
        QVERIFY(okna[1].startsWith(QStringLiteral("Informacja|")));
        QVERIFY(okna[1].contains(QStringLiteral("abc")));
        QCOMPARE(s->ListaRozkazow.Count(), 7);
        QFile::remove(plik);
        A("Menu_Maszyna_Wczytaj")->trigger();
        QCOMPARE(okna.size(), 4);
        QVERIFY(okna[3].startsWith(QStringLiteral("Informacja|")));
        QVERIFY(s->Architektura.Jest(NumerSygnalu("wex")));
        // A cancelled dialog changes nothing.
        odpowiedz = nullptr;
        A("Menu_Program_Wczytaj")->trigger();
        QCOMPARE(f->FrameProgram1->LinieProgramu(), (std::vector<std::string>{"a", "b"}));
    }

    void plikiZWierszaPolecen() {
        QTemporaryDir katalog;
        auto sciezka = [&](const char* nazwa) {
            return katalog.filePath(QString::fromLatin1(nazwa));
        };
        ZapiszPlik(sciezka("p.PRG"), "\tpob 3 ; \xb3"
                                     "ad\r\nstop\r\n");
        ZapiszPlik(sciezka("r.roz"), "1\r\nstop\r\nkoniec\r\n0\r\n0\r\n1\r\nstp ;\r\n");
        ZapiszPlik(sciezka("m.mas"), "wex\nstp\n");
        ZapiszPlik(sciezka("zly.roz"), "1\r\nx\r\nopis\r\nabc\r\n");
        // File, panel in front, the boxes shown so far.
        const struct {
            const char* plik;
            int panel;
            const char* okna;
        } tabela[] = {
            {"p.PRG", 2, ""},
            {"r.roz", 3, ""},
            {"m.mas", 1, ""},
            {"brak.prg", 2,
             "Informacja|Nie można otworzyć pliku \"%1/brak.prg\": nie ma takiego pliku ani katalogu."},
            {"zly.roz", 3, "Informacja|Nie można wczytać pliku rozkazów."},
            {"notatki.txt", 3,
             "Informacja|Nie można otworzyć pliku \"%1/notatki.txt\": symulator otwiera "
             "programy (.prg), zestawy rozkazów (.roz) i pliki maszyny (.mas)."},
        };
        for (const auto& w : tabela) {
            okna.clear();
            f->OtworzPlik(sciezka(w.plik));
            const QString oczekiwane =
                QString::fromUtf8(w.okna).replace(QStringLiteral("%1"), katalog.path());
            const QString wynik = QString::number(f->WidocznyPanel()) +
                                  QString::number(f->Przycisk(w.panel)->isChecked()) +
                                  okna.join(QLatin1Char('\n'));
            QVERIFY2(wynik.startsWith(QString::number(w.panel) + QLatin1Char('1') + oczekiwane) &&
                         (oczekiwane.isEmpty() == okna.isEmpty()),
                     qPrintable(QLatin1String(w.plik) + QStringLiteral(": ") + wynik));
        }
        QCOMPARE(f->FrameProgram1->LinieProgramu(),
                 (std::vector<std::string>{"\tpob 3 ; ład", "stop"}));
        QCOMPARE(s->ListaRozkazow.Count(), 1);
        QCOMPARE(s->ListaRozkazow[1].Opis, std::string("koniec"));
        QVERIFY(s->Architektura.Jest(NumerSygnalu("wex")));
        QVERIFY(!s->Architektura.Jest(NumerSygnalu("wel")));
    }

    void podrecznikZKataloguObokProgramu() {
        QTemporaryDir katalog;
        f->KatalogProgramu = katalog.filePath(QStringLiteral("bin"));
        QVERIFY(A("Menu_Pomoc_Podrecznik")->isVisible());
        QCOMPARE(A("Menu_Pomoc_Podrecznik")->text(), QStringLiteral("&Podręcznik"));
        A("Menu_Pomoc_Podrecznik")->trigger();
        QCOMPARE(okna.size(), 1);
        QVERIFY(okna[0].startsWith(QStringLiteral("Informacja|Nie znaleziono podręcznika")));
        QVERIFY(adresy.isEmpty());
        // The Markdown when the build had no tool to render it, the HTML when it had.
        QVERIFY(QDir(katalog.path()).mkpath(QStringLiteral("bin")));
        QVERIFY(QDir(katalog.path()).mkpath(QStringLiteral("share/symulator/podrecznik")));
        const QString podrecznik = katalog.filePath(QStringLiteral("share/symulator/podrecznik/"));
        for (const char* nazwa : {"podrecznik.md", "podrecznik.html"}) {
            ZapiszPlik(podrecznik + QLatin1String(nazwa), "#");
            adresy.clear();
            A("Menu_Pomoc_Podrecznik")->trigger();
            QCOMPARE(adresy,
                     QList<QUrl>{QUrl::fromLocalFile(
                         QFileInfo(podrecznik + QLatin1String(nazwa)).canonicalFilePath())});
        }
        QCOMPARE(okna.size(), 1);
    }

    // ---- enabling ----

    void dostepnoscWKazdymTrybie() {
        // Running: the run commands keep what they had. Any other mode changes nothing.
        const std::pair<int, bool> tryby[] = {{0, false}, {0, true},  {1, false}, {1, true},
                                              {2, false}, {0, false}, {2, true},  {3, false}};
        QStringList stany;
        for (auto [tryb, zatrzymana] : tryby) {
            M().Reset();
            if (zatrzymana) M().WykonajMikrorozkaz("stp");
            s->StanPracy.TrybPracy = tryb;
            f->UstawDostepnosc();
            stany << Dostepnosc();
        }
        QCOMPARE(stany, (QStringList{"0000 111111111 11111111 1111 111111 111111111",
                                     "0000 111111111 11111111 0111 000000 111111111",
                                     "1100 100111111 10010110 1000 100000 111111111",
                                     "1100 100111111 10010110 0000 000000 111111111",
                                     "0011 000001111 10001110 0000 000000 111111111",
                                     "0000 111111111 11111111 1111 111111 111111111",
                                     "0011 000001111 10001110 1111 111111 111111111",
                                     "0011 000001111 10001110 1111 111111 111111111"}));
    }

    // ---- keys ----

    void klawiszeWedlugPaneluNaWierzchu() {
        // F7 F8 F9 press the run buttons of the schematic or of the CPU panel; Ctrl is not
        // examined (Shift goes back).
        const std::pair<QToolButton*, Qt::KeyboardModifiers> panele[] = {
            {f->SpeedButtonMaszyna, Qt::ControlModifier},
            {f->SpeedButtonCPU, Qt::NoModifier}};
        for (auto [przycisk, modyfikatory] : panele) {
            DodajIStop();
            przycisk->click();
            QTest::keyClick(f.get(), Qt::Key_F7, modyfikatory);
            QCOMPARE(M().BiezacyWiersz(), 4);
            QTest::keyClick(f.get(), Qt::Key_F8, modyfikatory);
            QCOMPARE(M().Wartosc(Slot::AK), 5u);
            QCOMPARE(M().BiezacyWiersz(), -1);
            QTest::keyClick(f.get(), Qt::Key_F9, modyfikatory);
            QVERIFY(M().Zatrzymana());
            QCOMPARE(M().Wartosc(Slot::AK), 12u);
        }
        DodajIStop();
        for (int p : {3, 5, 6, 7, 8}) {
            f->Przycisk(p)->click();
            for (Qt::Key k : {Qt::Key_F7, Qt::Key_F8, Qt::Key_F9})
                QTest::keyClick(f.get(), k);
        }
        QCOMPARE(M().BiezacyWiersz(), -1);
        QCOMPARE(M().Wartosc(Slot::L), 0u);
    }

    void sekwencjaKlawiszy() {
        auto ctrl = [](QWidget* w, std::string_view litery) {
            for (char c : litery)
                QTest::keyClick(w, static_cast<Qt::Key>(c), Qt::ControlModifier);
        };
        ctrl(f.get(), "PLOVE");
        QVERIFY(okna.isEmpty());
        ctrl(f.get(), "R");
        QCOMPARE(okna,
                 QStringList{QStringLiteral("Symulator komputera dydaktycznego|Easter Egg!")});
        // Keys without Ctrl between the letters do not break it; a wrong key with Ctrl does.
        for (std::string_view c : {"P", "L", "O"}) {
            ctrl(f.get(), c);
            QTest::keyClick(f.get(), Qt::Key_A);
        }
        ctrl(f.get(), "XVER");
        QCOMPARE(okna.size(), 1);
        ctrl(f.get(), "PLOVER");
        QCOMPARE(okna.size(), 2);
        // A key that a child ignores travels up to its parents; it counts once.
        ctrl(f->Image1, "PLOVER");
        QCOMPARE(okna.size(), 3);
    }

    // ---- languages ----

    void jezykiZmieniajaTylkoNapisy() {
        // The captions of the tables that differ from column `jezyk`.
        auto rozne = [this](int jezyk) {
            QStringList w;
            for (const TNapis& n : Napisy) {
                const QString nazwa = Q(n.Skladnik);
                const QAction* a = f->Akcja(nazwa);
                const QString napis = a ? a->text() : f->findChild<QToolButton*>(nazwa)->text();
                if (napis != Q(jezyk == 1 ? n.Polski : n.Angielski)) w << nazwa + ": " + napis;
            }
            return w;
        };
        // A few from the tables, then three the tables leave alone.
        auto napisy = [this] {
            return QStringList{A("Menu_CPU")->text(),
                               f->SpeedButtonCPU->text(),
                               f->SpeedButtonRozkaz->text(),
                               A("Menu_Pomoc_Informacje")->text(),
                               f->Architektura2->text(),
                               f->FrameMaszyna1->SpeedButtonTakt->text(),
                               A("Menu_Breakpoints_Wczytaj")->text()};
        };
        s->StanPracy.TrybPracy = 1;
        f->UstawDostepnosc();
        const QString stan = Dostepnosc();
        A("Menu_Angielski")->trigger();
        QCOMPARE(rozne(2), QStringList());
        QCOMPARE(napisy(), (QStringList{"CPU", "CPU", "Rozkaz", "About...", "Architektura",
                                        "Takt [F7]", "Wczytaj..."}));
        QVERIFY(A("Menu_Angielski")->isChecked() && !A("Menu_Polski")->isChecked());
        QCOMPARE(Dostepnosc(), stan);
        f->UstawJezyk(3);
        QCOMPARE(rozne(2), QStringList());
        A("Menu_Polski")->trigger();
        QCOMPARE(rozne(1), QStringList());
        QCOMPARE(napisy(), (QStringList{"JAL", "JAL", "Rozkaz", "I&nformacje", "Architektura",
                                        "Takt [F7]", "Wczytaj..."}));
        QVERIFY(A("Menu_Polski")->isChecked() && !A("Menu_Angielski")->isChecked());
        QCOMPARE(Dostepnosc(), stan);
    }

    void mikroprogramNieaktualnyDoKompilacji() {
        const QLabel* napis = f->LabelMikroprogram;
        TFrameRozkaz* r = f->FrameRozkaz1;
        QVERIFY(!napis->isVisible());
        // An edit on show, not yet stored: the notice and a highlighted "Kompiluj".
        f->SpeedButtonRozkaz->click();
        r->Memo1->appendPlainText(QStringLiteral("stp ;"));
        QVERIFY(napis->isVisible());
        QCOMPARE(napis->text(), QStringLiteral("Mikroprogram nieaktualny – Rozkazy › Kompiluj"));
        QVERIFY(r->SpeedButtonKompiluj->font().bold());
        A("Menu_Angielski")->trigger();
        QCOMPARE(napis->text(), QStringLiteral("Microprogram out of date – Rozkazy › Compile"));
        A("Menu_Polski")->trigger();
        r->SpeedButtonKompiluj->click();
        QVERIFY(!napis->isVisible());
        QVERIFY(!r->SpeedButtonKompiluj->font().bold());
        // An instruction added is not compiled: stale until Rozkazy › Kompiluj.
        A("Menu_Rozkazy_Dodaj")->trigger();
        QVERIFY(napis->isVisible());
        A("Menu_Rozkazy_Kompiluj")->trigger();
        QVERIFY(!napis->isVisible());
        QCOMPARE(f->Status(0), QStringLiteral("K"));
    }

    void podpowiedziWObuJezykach() {
        f->SpeedButtonCPU->click();
        auto opisy = [this] {
            return QStringList{f->FrameCPU1->ListBoxRejestry->item(1)->toolTip(),
                               f->FrameCPU1->ListBoxFlagi->item(4)->toolTip(),
                               f->FrameMaszyna1->Image1->OpisW({40, 146}),
                               f->FrameKonsola1->Edit1->placeholderText()};
        };
        QCOMPARE(opisy(),
                 (QStringList{"AK – akumulator: wynik jednostki arytmetyczno-logicznej JAL",
                              "INT – 1, gdy przyjęto przerwanie (RP różny od 0)",
                              "L – licznik rozkazów: adres następnego rozkazu",
                              "Wpisane tu znaki odczytuje urządzenie wejściowe (sygnał start)"}));
        A("Menu_Angielski")->trigger();
        QCOMPARE(
            opisy(),
            (QStringList{"AK – accumulator: the result of the arithmetic-logic unit JAL",
                         "INT – 1 while an interrupt is accepted (RP not 0)",
                         "L – instruction counter: address of the next instruction",
                         "Characters typed here are read by the input device (signal start)"}));
    }

    void menuPomocMiesciSiePoZmianieJezyka() {
        QMenuBar* pasek = f->menuBar();
        A("Menu_Angielski")->trigger();
        A("Menu_Polski")->trigger();
        QApplication::processEvents();
        // At the bar's right end (on a second row when the window is too narrow for all
        // menus), whole, over no other menu, and none pushed into the overflow button.
        const QRect pomoc = pasek->actionGeometry(A("Menu_Pomoc"));
        QVERIFY(pomoc.width() >= pasek->fontMetrics().horizontalAdvance(QStringLiteral("Pomoc")));
        QVERIFY(pasek->rect().contains(pomoc));
        QVERIFY(pasek->width() - pomoc.right() < 12);
        for (QAction* a : pasek->actions())
            QVERIFY(a == A("Menu_Pomoc") || !pasek->actionGeometry(a).intersects(pomoc));
        const auto* rozszerzenie = pasek->findChild<QToolButton*>();
        QVERIFY(!rozszerzenie || rozszerzenie->isHidden());
        // Right from the last menu on the left opens Pomoc, and Right again wraps around.
        pasek->setActiveAction(A("Menu_Breakpoints"));
        QTRY_VERIFY(A("Menu_Breakpoints")->menu()->isVisible());
        QTest::keyClick(A("Menu_Breakpoints")->menu(), Qt::Key_Right);
        QCOMPARE(pasek->activeAction(), A("Menu_Pomoc"));
        QTest::keyClick(A("Menu_Pomoc")->menu(), Qt::Key_Right);
        QCOMPARE(pasek->activeAction(), A("Menu_Symulator"));
        A("Menu_Symulator")->menu()->close();
    }

    void przyciskiQtWJezykuOkna() {
        QStringList napisy;
        odpowiedz = [&](QDialog& okno) {
            auto* box = qobject_cast<QMessageBox*>(&okno);
            napisy << box->button(QMessageBox::Yes)->text() + QLatin1Char('/') +
                          box->button(QMessageBox::No)->text();
            return static_cast<int>(QMessageBox::No);
        };
        s->StanPracy.TrybPracy = 2; // the close question asks
        for (const char* jezyk : {"Menu_Polski", "Menu_Angielski", "Menu_Polski"}) {
            A(jezyk)->trigger();
            A("Menu_Symulator_Zakoncz")->trigger();
        }
        // Polish from the start, so the first question too.
        QCOMPARE(napisy, (QStringList{"&Tak/&Nie", "&Yes/&No", "&Tak/&Nie"}));
    }

    // ---- look ----

    void wygladNieZaleznyOdSystemu() {
        QCOMPARE(QApplication::style()->name(), QStringLiteral("fusion"));
        QCOMPARE(QApplication::palette(), QApplication::style()->standardPalette());
        QCOMPARE(QApplication::font().family(), QStringLiteral("Liberation Sans"));
        QCOMPARE(QApplication::font().pixelSize(), 12);
        // The install step gets every font the window names.
        QCOMPARE(BrakujaceCzcionki(CzcionkiOkna()), QStringList());
        QFont nieMa(QStringLiteral("Nie Ma Takiej Czcionki"));
        nieMa.setPixelSize(12);
        const QStringList brak = BrakujaceCzcionki(
            {{nieMa, nieMa.family()}, {CzcionkaSchematu(12), QStringLiteral("Liberation Mono")}});
        QCOMPARE(brak.size(), 2);
        QVERIFY2(brak[0].startsWith(QStringLiteral("Brak czcionki „Nie Ma Takiej Czcionki” (pakiet "
                                                   "fonts-liberation): zamiast niej „")),
                 qPrintable(brak[0]));
        QCOMPARE(brak[1], QStringLiteral("Czcionka „Arial” nie jest „Liberation Mono” (pakiet "
                                         "fonts-liberation): zamiast niej „Liberation Sans”, okno "
                                         "wygląda inaczej."));
    }

    void wierszeNieRosnaZCzcionka() {
        // Under a much larger general font every grid and list keeps its rows.
        const QFont przed = QApplication::font();
        QFont duza = przed;
        duza.setPixelSize(30);
        QApplication::setFont(duza);
        const auto przywroc = qScopeGuard([&] { QApplication::setFont(przed); });
        TSymulator s2;
        TFormMain okno(s2);
        okno.show();
        okno.FrameProgram1->ListBox1->Dodaj(QStringLiteral("Kompilacja"));
        struct TWiersz {
            int panel;
            QAbstractItemView* widok;
            int wysokosc;
        };
        const std::vector<TWiersz> wiersze = {
            {2, okno.FrameProgram1->StringGrid_IRQ, 18},
            {2, okno.FrameProgram1->ListBox1, TListaKomunikatow::WysokoscWiersza},
            {4, okno.FrameCPU1->ListBoxPamiecProgram, TFrameCPU::WysokoscWierszaPamieci},
            {4, okno.FrameCPU1->ListBoxRejestry, TFrameCPU::WysokoscWierszaRejestrow},
            {4, okno.FrameCPU1->ListBoxFlagi, TFrameCPU::WysokoscWierszaRejestrow},
            {8, okno.FramePamiecMikroprogramu1->StringGridPamiecMikroprogramu, 18},
        };
        QStringList jest, ma;
        for (const TWiersz& w : wiersze) {
            okno.PokazPanel(w.panel);
            QApplication::processEvents();
            const auto* siatka = qobject_cast<const QTableView*>(w.widok);
            const int h = siatka ? siatka->rowHeight(0)
                                 : w.widok->visualRect(w.widok->model()->index(0, 0)).height();
            jest << w.widok->objectName() + QLatin1Char('=') + QString::number(h);
            ma << w.widok->objectName() + QLatin1Char('=') + QString::number(w.wysokosc);
        }
        QCOMPARE(jest, ma);
    }

    // ---- closing ----

    void zamkniecieWymagaPotwierdzenia() {
        QMessageBox::Icon ikona = QMessageBox::NoIcon;
        QMessageBox::StandardButtons przyciski;
        QMessageBox::StandardButton domyslny = QMessageBox::NoButton;
        odpowiedz = [&](QDialog& okno) {
            auto* box = qobject_cast<QMessageBox*>(&okno);
            ikona = box->icon();
            przyciski = box->standardButtons();
            domyslny = box->standardButton(box->defaultButton());
            return static_cast<int>(QMessageBox::No);
        };
        s->StanPracy.TrybPracy = 2; // as if a program ran
        A("Menu_Symulator_Zakoncz")->trigger();
        QCOMPARE(okna, QStringList{QStringLiteral("Symulator komputera dydaktycznego|"
                                                  "Czy chcesz zakończyć pracę symulatora?")});
        QCOMPARE(ikona, QMessageBox::Question);
        QCOMPARE(przyciski, QMessageBox::Yes | QMessageBox::No);
        QCOMPARE(domyslny, QMessageBox::No);
        QVERIFY(f->isVisible());
        QVERIFY(!s->StanPracy.ZadanieStopu);
        QCOMPARE(s->StanPracy.TrybPracy, 2);

        odpowiedz = [](QDialog&) { return static_cast<int>(QMessageBox::Yes); };
        QVERIFY(f->close());
        QVERIFY(!f->isVisible());
        QVERIFY(s->StanPracy.ZadanieStopu);
    }

    void pytanieWTrakcieProgramuNieZatrzymujeGoPoOdmowie() {
        M().WstawKomorke(0, 5, 0, "110"); // sob 0: runs until stopped
        M().Reset();
        bool trwal = false, stopWidoczny = false, menuWylaczone = false;
        QTimer::singleShot(50, this, [&] {
            stopWidoczny = !f->FrameMaszyna1->SpeedButtonStop->isHidden();
            menuWylaczone = !A("Menu_Symulator")->isEnabled() && !A("Menu_Program")->isEnabled();
            f->close(); // answered No
            trwal = s->StanPracy.TrybPracy == 2 && !s->StanPracy.ZadanieStopu && f->isVisible();
            f->FrameMaszyna1->SpeedButtonStop->click();
        });
        f->FrameMaszyna1->SpeedButtonProgram->click();
        // The run goes on in slices after the click has returned.
        QTRY_COMPARE(s->StanPracy.TrybPracy, 0);
        QCOMPARE(okna.size(), 1);
        QVERIFY(stopWidoczny);
        QVERIFY(menuWylaczone);
        QVERIFY(trwal);
        QVERIFY(f->FrameMaszyna1->SpeedButtonStop->isHidden());
        QVERIFY(A("Menu_Program")->isEnabled());
    }

    void recznieNieDzialaWTrakcieProgramu() {
        M().WstawKomorke(0, 5, 0, "110"); // sob 0: runs until stopped
        M().Reset();
        TFrameMaszyna* m = f->FrameMaszyna1;
        bool wylaczone = false, stopWidoczny = false;
        int tryb = -1;
        QTimer::singleShot(50, this, [&] {
            wylaczone =
                !m->SpeedButtonRecznie->isEnabled() && !A("Menu_Maszyna_Recznie")->isEnabled();
            QTest::mouseClick(m->SpeedButtonRecznie, Qt::LeftButton);
            A("Menu_Maszyna_Recznie")->trigger();
            tryb = s->StanPracy.TrybPracy;
            stopWidoczny = !m->SpeedButtonStop->isHidden();
            m->SpeedButtonStop->click();
        });
        m->SpeedButtonProgram->click();
        QTRY_COMPARE(s->StanPracy.TrybPracy, 0);
        QVERIFY(wylaczone);
        QCOMPARE(tryb, 2);
        QVERIFY(stopWidoczny);
        QVERIFY(m->SpeedButtonRecznie->isEnabled());
        QVERIFY(A("Menu_Maszyna_Recznie")->isEnabled());
    }

    // ---- panels ----

    void odswiezanieTylkoPrzyZmianiePanelu() {
        f->UstawStatus(1, QStringLiteral("x"));
        f->PokazPanel(1); // already in front: no refresh
        QCOMPARE(f->Status(1), QStringLiteral("x"));
        M().WykonajMikrorozkaz("wyl wea");
        f->PokazPanel(4);
        QCOMPARE(f->WidocznyPanel(), 4);
        QCOMPARE(f->Status(1), QStringLiteral(" ")); // OdswiezCPU writes the current text
        QVERIFY(f->SpeedButtonMaszyna->isChecked()); // not pressed by PokazPanel
        f->UstawStatus(1, QStringLiteral("x"));
        f->PokazPanel(6); // the debug panel has no refresh
        QCOMPARE(f->Status(1), QStringLiteral("x"));
        f->PokazPanel(1);
        QCOMPARE(f->Status(1), QStringLiteral(" "));
        int widoczne = 0;
        for (int p = 1; p <= 8; ++p)
            widoczne += !f->Ramka(p)->isHidden();
        QCOMPARE(widoczne, 1);
        f->PokazPanel(9);
        f->PokazPanel(-1);
        QCOMPARE(f->WidocznyPanel(), 1);
        f->PokazPanel(0);
        QCOMPARE(f->WidocznyPanel(), 0);
    }

    void podpowiedzWDrugimPaneluStanu() {
        QStatusTipEvent podpowiedz(QStringLiteral("Zakończ pracę symulatora"));
        QApplication::sendEvent(f.get(), &podpowiedz);
        QCOMPARE(f->Status(1), QStringLiteral("Zakończ pracę symulatora"));
        QCOMPARE(A("Menu_Symulator_Zakoncz")->statusTip(),
                 QStringLiteral("Zakończ pracę symulatora"));
        QCOMPARE(f->Status(0), QStringLiteral("K"));
    }

    void trybProstyUkrywaCztery() {
        f->SpeedButtonKonsola->click();
        // The CPU, Konsola, Debug and Punkty buttons, then the same menus.
        auto ukryte = [this] {
            return QList<bool>{
                f->SpeedButtonCPU->isHidden(),   f->SpeedButtonKonsola->isHidden(),
                f->SpeedButtonDebug->isHidden(), f->SpeedButtonBreakpoints->isHidden(),
                !A("Menu_CPU")->isVisible(),     !A("Menu_Konsola")->isVisible(),
                !A("Menu_Debug")->isVisible(),   !A("Menu_Breakpoints")->isVisible()};
        };
        f->SpeedButtonSimpleMode->click();
        QCOMPARE(f->WidocznyPanel(), 1);
        QCOMPARE(ukryte(), QList<bool>(8, true));
        f->SpeedButtonSimpleMode->click();
        QCOMPARE(ukryte(), QList<bool>(8, false));
        QVERIFY(f->SpeedButtonSimpleMode->isHidden());
        QCOMPARE(f->SpeedButtonSimpleMode->geometry().right(), f->PanelTop->width() - 5);
    }

    void splashZamykaSieDopieroPoZegarze() {
        TSplashScreen splash;
        QCOMPARE(splash.size(), QSize(276, 72));
        QCOMPARE(splash.Timer1->interval(), 500);
        QCoreApplication::processEvents();
        QVERIFY(!splash.MozeZamknac());
        splash.show();
        QVERIFY(!splash.close());
        QVERIFY(splash.isVisible());
        QTRY_VERIFY_WITH_TIMEOUT(splash.MozeZamknac(), 5000);
        QVERIFY(splash.close());
    }
};

std::unique_ptr<QObject> TestyOknaGlownego() {
    return std::make_unique<TestOknaGlownego>();
}

#include "test_okno_glowne.moc"
