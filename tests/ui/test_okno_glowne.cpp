#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QFileDialog>
#include <QGuiApplication>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QUrl>

#include "EdytorKodu.h"
#include "ListaKomunikatow.h"
#include "TAboutBox.h"
#include "TFormMain.h"
#include "TFrameBreakpoints.h"
#include "TFrameCPU.h"
#include "TFrameDebug.h"
#include "TFrameKonsola.h"
#include "TFrameMaszyna.h"
#include "TFramePamiecMikroprogramu.h"
#include "TFrameProgram.h"
#include "TFrameRozkaz.h"
#include "TLanguages.h"
#include "TSplashScreen.h"
#include "TSymulator.h"
#include "TestyUi.h"

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
        QCOMPARE(f->pos(), QPoint(0, 0));
        QCOMPARE(f->size(), QSize(750, 720));
        QCOMPARE(f->windowTitle(), QStringLiteral("Symulator komputera dydaktycznego 1.00"));
        QCOMPARE(QCoreApplication::applicationName(),
                 QStringLiteral("Symulator komputera dydaktycznego"));
        QCOMPARE(f->Status(0), QStringLiteral("K"));
        QCOMPARE(f->WidocznyPanel(), 1);
        QVERIFY(f->SpeedButtonMaszyna->isChecked());
        QVERIFY(f->FrameMaszyna1->SpeedButtonStop->isHidden());
        QVERIFY(f->FrameCPU1->SpeedButtonStop->isHidden());
        QVERIFY(A("Menu_Polski")->isChecked());
        QVERIFY(!A("Menu_Angielski")->isChecked());
        QCOMPARE(s->StanPracy.TrybPracy, 0);
        QCOMPARE(M().BityAdresu(), 5);
        QCOMPARE(M().BityKodu(), 3);
        QCOMPARE(s->ListaRozkazow.Count(), 7);
        // The microprogram is compiled: the fetch row and the entry row of "dod".
        QCOMPARE(s->PamiecMikroprogramu.Wiersz(-1).Sygnaly, std::string("czyt wys wei il"));
        QCOMPARE(s->PamiecMikroprogramu.Wiersz(1).Sygnaly, std::string("wyad wea "));
        QCOMPARE(f->FrameProgram1->ComboBoxProgram->currentText(), QStringLiteral("Program"));
        QVERIFY(f->FrameProgram1->LinieProgramu().empty());
        QCOMPARE(f->FrameMaszyna1->ListBox1->frameShape(), QFrame::NoFrame);
        QVERIFY(f->SpeedButtonSimpleMode->isHidden());
    }

    void pasekGornyMaPrzyciskiWJednejGrupie() {
        const QToolButton* kolejnosc[] = {f->SpeedButtonMaszyna, f->SpeedButtonProgram,
                                          f->SpeedButtonRozkaz,  f->SpeedButtonMikroprogram,
                                          f->SpeedButtonCPU,     f->SpeedButtonKonsola,
                                          f->SpeedButtonDebug,   f->SpeedButtonBreakpoints};
        const QStringList napisy = {"Maszyna", "Program", "Rozkaz", "Mikroprogram",
                                    "JAL",     "Konsola", "Debug",  "Punkty zatrzymania"};
        for (int i = 0; i < 8; ++i) {
            QCOMPARE(kolejnosc[i]->geometry(), QRect(4 + 84 * i, 4, i == 7 ? 105 : 85, 45));
            QCOMPARE(kolejnosc[i]->text(), napisy[i]);
        }
        QCOMPARE(f->PanelTop->height(), 55);
        QCOMPARE(f->Image1->geometry(), QRect(79, 4, 8, 45));
        // Exactly one is down.
        f->SpeedButtonCPU->click();
        int wcisniete = 0;
        for (const QToolButton* b : kolejnosc)
            wcisniete += b->isChecked();
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
        QStringList menu;
        for (const QAction* a : f->menuBar()->actions())
            menu << a->objectName() + QStringLiteral(": ") + opisz(a->menu());
        const QStringList oczekiwane = {
            "Menu_Symulator: Menu_Symulator_Wczytaj(h) Menu_Symulator_Zapisz(h) -(h) "
            "Menu_Symulator_Architektura - "
            "Menu_Jezyk> - Menu_Symulator_Zakoncz",
            "Menu_Maszyna: Menu_Maszyna_PokazPanel - Menu_Maszyna_Wczytaj Menu_Maszyna_Zapisz - "
            "Menu_Maszyna_Recznie - "
            "Menu_Maszyna_Takt Menu_Maszyna_Rozkaz Menu_Maszyna_Program Menu_Maszyna_Reset "
            "Menu_Maszyna_Stop",
            "Menu_Program: Menu_Program_PokazPanel - Menu_Program_Wczytaj Menu_Program_Zapisz - "
            "Menu_Program_Kompiluj",
            "Menu_Rozkazy: Menu_Rozkazy_PokazPanel - Menu_Rozkazy_Wczytaj Menu_Rozkazy_Zapisz - "
            "Menu_Rozkazy_Kompiluj "
            "Menu_Rozkazy_Dodaj Menu_Rozkazy_Usun - Menu_Rozkazy_UsunWszystkie "
            "Menu_Rozkazy_UstawStandardowe",
            "Menu_Mikroprogram: Menu_Mikroprogram_PokazPanel - Menu_Mikroprogram_PokazWszystkie "
            "Menu_Mikroprogram_UkryjPuste",
            "Menu_CPU: Menu_CPU_PokazPanel - Menu_CPU_Takt Menu_CPU_Rozkaz Menu_CPU_Program "
            "Menu_CPU_Reset Menu_CPU_Stop",
            "Menu_Konsola: Menu_Konsola_PokazPanel - Menu_Konsola_Wyczysc",
            "Menu_Debug: Menu_Debug_PokazPanel - Menu_Debug_Wyczysc",
            "Menu_Breakpoints: Menu_Breakpoints_PokazPanel - Menu_Breakpoints_Wczytaj(h) "
            "Menu_Breakpoints_Zapisz(h) "
            "-(h) Menu_Breakpoints_Dodaj Menu_Breakpoints_Usun",
        };
        QCOMPARE(menu, oczekiwane);
        QCOMPARE(opisz(A("Menu_Jezyk")->menu()), QStringLiteral("Menu_Polski Menu_Angielski"));
        // Pomoc stands apart at the right end of the bar.
        auto* prawy = qobject_cast<QMenuBar*>(f->menuBar()->cornerWidget(Qt::TopRightCorner));
        QVERIFY(prawy);
        QCOMPARE(prawy->actions().size(), 1);
        QCOMPARE(opisz(prawy->actions().first()->menu()),
                 QStringLiteral("Menu_Pomoc_TematyPomocy(h) -(h) Menu_Pomoc_StronaDomowa(h) "
                                "Menu_Pomoc_SprawdzenieWersjiProgramu(h) Menu_Pomoc_Email(h) -(h) "
                                "Menu_Pomoc_Informacje"));
        QCOMPARE(A("Menu_Symulator_Zakoncz")->text(), QStringLiteral("Za&kończ"));
        QCOMPARE(A("Menu_Breakpoints_Wczytaj")->text(), QStringLiteral("Wczytaj..."));
        QCOMPARE(f->Architektura2->text(), QStringLiteral("Architektura"));
    }

    void trasowaniePokazujePanel_data() {
        QTest::addColumn<QString>("pozycja");
        QTest::addColumn<int>("panel");
        const std::pair<const char*, int> tabela[] = {
            {"Menu_Maszyna_PokazPanel", 1},
            {"Menu_Maszyna_Recznie", 1},
            {"Menu_Maszyna_Takt", 1},
            {"Menu_Maszyna_Rozkaz", 1},
            {"Menu_Maszyna_Program", 1},
            {"Menu_Maszyna_Reset", 1},
            {"Menu_Maszyna_Stop", 1},
            {"Menu_Program_PokazPanel", 2},
            {"Menu_Program_Kompiluj", 2},
            {"Menu_Rozkazy_PokazPanel", 3},
            {"Menu_Rozkazy_Kompiluj", 3},
            {"Menu_Rozkazy_Dodaj", 3},
            {"Menu_Rozkazy_Usun", 3},
            {"Menu_Mikroprogram_PokazPanel", 8},
            {"Menu_Mikroprogram_PokazWszystkie", 8},
            {"Menu_Mikroprogram_UkryjPuste", 8},
            {"Menu_CPU_PokazPanel", 4},
            {"Menu_CPU_Takt", 4},
            {"Menu_CPU_Rozkaz", 4},
            {"Menu_CPU_Program", 4},
            {"Menu_CPU_Reset", 4},
            {"Menu_CPU_Stop", 4},
            {"Menu_Konsola_PokazPanel", 5},
            {"Menu_Konsola_Wyczysc", 5},
            {"Menu_Debug_PokazPanel", 6},
            {"Menu_Debug_Wyczysc", 6},
            {"Menu_Breakpoints_PokazPanel", 7},
            {"Menu_Breakpoints_Dodaj", 7},
            {"Menu_Breakpoints_Usun", 7},
        };
        for (const auto& [pozycja, panel] : tabela)
            QTest::newRow(pozycja) << QString::fromLatin1(pozycja) << panel;
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
        QVERIFY(!f->Przycisk(poprzedni)->isChecked());
    }

    void trasowaniePolecenMaszyny() {
        DodajIStop();
        s->Konsola.UstawWejscie("abc");
        A("Menu_Maszyna_Takt")->trigger();
        QCOMPARE(M().BiezacyTekst(), std::string("czyt wys wei il"));
        QCOMPARE(M().BiezacyWiersz(), 4);
        QCOMPARE(f->Status(1), QStringLiteral(" czyt wys wei il"));
        A("Menu_Maszyna_Rozkaz")->trigger(); // finishes the started "pob"
        QCOMPARE(M().Wartosc(Slot::AK), 5u);
        QCOMPARE(M().BiezacyWiersz(), -1);
        A("Menu_Maszyna_Rozkaz")->trigger(); // one whole "dod"
        QCOMPARE(M().Wartosc(Slot::AK), 12u);
        QCOMPARE(M().Wartosc(Slot::L), 2u);
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
        // A halted machine ignores the run commands.
        A("Menu_Maszyna_Takt")->trigger();
        A("Menu_Maszyna_Program")->trigger();
        QCOMPARE(M().BiezacyTekst(), std::string("stp "));

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
        const int wea = NumerSygnalu("wea");
        s->Architektura.Sygnaly[static_cast<std::size_t>(wea)].Wybrany = true;
        A("Menu_Maszyna_Recznie")->trigger();
        QCOMPARE(s->StanPracy.TrybPracy, 1);
        QVERIFY(A("Menu_Maszyna_Recznie")->isChecked());
        QVERIFY(f->FrameMaszyna1->SpeedButtonRecznie->isChecked());
        QVERIFY(s->Architektura.Sygnaly[static_cast<std::size_t>(wea)].Wybrany);
        // The schematic's Takt now runs the chosen signals and clears the choice.
        A("Menu_Maszyna_Takt")->trigger();
        QCOMPARE(M().BiezacyTekst(), std::string("wea "));
        QCOMPARE(M().BiezacyWiersz(), -1);
        QVERIFY(!s->Architektura.Sygnaly[static_cast<std::size_t>(wea)].Wybrany);
        A("Menu_Maszyna_Recznie")->trigger();
        QCOMPARE(s->StanPracy.TrybPracy, 0);
        QVERIFY(!A("Menu_Maszyna_Recznie")->isChecked());
        QVERIFY(!f->FrameMaszyna1->SpeedButtonRecznie->isChecked());
        // The schematic's own button clears the choice.
        s->Architektura.Sygnaly[static_cast<std::size_t>(wea)].Wybrany = true;
        f->FrameMaszyna1->SpeedButtonRecznie->click();
        QCOMPARE(s->StanPracy.TrybPracy, 1);
        QVERIFY(!s->Architektura.Sygnaly[static_cast<std::size_t>(wea)].Wybrany);
    }

    void trasowanieListyRozkazow() {
        A("Menu_Rozkazy_UsunWszystkie")->trigger();
        QVERIFY(okna.isEmpty());
        QVERIFY(oknaRozkazow.isEmpty());
        QCOMPARE(s->ListaRozkazow.Count(), 1);
        QCOMPARE(s->ListaRozkazow[1].Nazwa, std::string("stop"));
        QCOMPARE(s->PamiecMikroprogramu.Wiersz(1).Sygnaly, std::string()); // recompiled: no "dod"
        QCOMPARE(s->PamiecMikroprogramu.Wiersz(0).Sygnaly, std::string("stp "));
        A("Menu_Rozkazy_UstawStandardowe")->trigger();
        QVERIFY(okna.isEmpty());
        QCOMPARE(s->ListaRozkazow.Count(), 7);
        QCOMPARE(s->PamiecMikroprogramu.Wiersz(1).Sygnaly, std::string("wyad wea "));
        const int przed = s->ListaRozkazow.Count();
        A("Menu_Rozkazy_Dodaj")->trigger();
        QCOMPARE(s->ListaRozkazow.Count(), przed + 1);
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

        M().ZglosKomunikat("WEA - Próba odczytu z pustej magistrali adresowej A");
        QVERIFY(f->SpeedButtonDebug->font().bold());
        QCOMPARE(f->SpeedButtonDebug->palette().color(QPalette::ButtonText), QColor(Qt::red));
        QCOMPARE(f->FrameMaszyna1->ListBox1->count(), 1);
        A("Menu_Debug_Wyczysc")->trigger();
        QVERIFY(s->Dziennik.Linie().empty());
        QVERIFY(!f->SpeedButtonDebug->font().bold());
        QCOMPARE(f->SpeedButtonDebug->palette().color(QPalette::ButtonText),
                 f->palette().color(QPalette::ButtonText));
        // A new tick empties the per-tick list.
        M().Takt();
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

    void architekturaOdswiezaPanelePoOknie() {
        QDialog dialog;
        f->FormArchitektura = &dialog;
        odpowiedz = [this, &dialog](QDialog& okno) {
            if (&okno == &dialog) s->ZastosujPreset("L");
            return static_cast<int>(QDialog::Accepted);
        };
        dialog.setWindowTitle(QStringLiteral("Architektura"));
        f->UstawStatus(1, QStringLiteral("x"));
        A("Menu_Symulator_Architektura")->trigger();
        QCOMPARE(okna, QStringList{QStringLiteral("Architektura")});
        QCOMPARE(f->Status(0), QStringLiteral("L"));
        QCOMPARE(f->Status(1), QStringLiteral(" ")); // the schematic and CPU panels redrew
        // The pop-up item does the same, whatever the dialog's result.
        odpowiedz = [this](QDialog&) {
            s->ZastosujPreset("Max");
            return static_cast<int>(QDialog::Rejected);
        };
        f->Architektura2->trigger();
        QCOMPARE(okna.size(), 2);
        QCOMPARE(f->Status(0), QStringLiteral("Max"));
    }

    void menuArchitekturyPodPrzyciskiemMaszyna() {
        QTest::mouseClick(f->Image1, Qt::LeftButton);
        QVERIFY(f->PopupMenu1->isVisible());
        QCOMPARE(f->PopupMenu1->pos(),
                 f->SpeedButtonMaszyna->mapToGlobal(QPoint(0, f->SpeedButtonMaszyna->height())));
        f->PopupMenu1->hide();
        QContextMenuEvent kontekst(QContextMenuEvent::Mouse, QPoint(2, 2),
                                   f->Image1->mapToGlobal(QPoint(2, 2)));
        QApplication::sendEvent(f->Image1, &kontekst);
        QVERIFY(f->PopupMenu1->isVisible());
        f->PopupMenu1->hide();
        emit f->StatusBar1->customContextMenuRequested(QPoint(5, 5));
        QVERIFY(f->PopupMenu1->isVisible());
        f->PopupMenu1->hide();
    }

    void ukrytePozycjePomocyOtwierajaAdresy() {
        for (const char* n :
             {"Menu_Pomoc_TematyPomocy", "Menu_Pomoc_StronaDomowa",
              "Menu_Pomoc_SprawdzenieWersjiProgramu", "Menu_Pomoc_Email", "Menu_Symulator_Wczytaj",
              "Menu_Symulator_Zapisz", "Menu_Breakpoints_Wczytaj", "Menu_Breakpoints_Zapisz"})
            QVERIFY2(!A(n)->isVisible(), n);
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
        QCOMPARE(f->AboutBox->ProductName->text(),
                 QStringLiteral("Symulator komputera dydaktycznego"));
        QVERIFY(f->AboutBox->ProductName->font().bold());
        QCOMPARE(f->AboutBox->Version->text(), QStringLiteral("Wersja 1.00"));
        QCOMPARE(f->AboutBox->Label2->text(), QStringLiteral("Praca dyplomowa inżynierska"));
        QVERIFY(f->AboutBox->Label1->text().startsWith(QStringLiteral("Autor: ")));
        QVERIFY(f->AboutBox->OKButton->isDefault());
        QCOMPARE(f->AboutBox->OKButton->geometry(), QRect(134, 180, 75, 25));
    }

    // ---- files ----

    void plikiMaszyny() {
        QTemporaryDir katalog;
        const QString plik = katalog.filePath(QStringLiteral("k.mas"));
        QStringList filtry;
        odpowiedz = [&](QDialog& okno) {
            auto* d = qobject_cast<QFileDialog*>(&okno);
            if (!d) return static_cast<int>(QMessageBox::Ok);
            filtry << d->nameFilters().join(QLatin1Char('|')) + QLatin1Char('|') +
                          d->defaultSuffix();
            d->selectFile(plik);
            return static_cast<int>(QDialog::Accepted);
        };
        A("Menu_Maszyna_Zapisz")->trigger();
        QCOMPARE(
            Plik(plik),
            QByteArray(
                "wel\r\nwyl\r\nil\r\nwei\r\nwyad\r\nczyt\r\npisz\r\nwea\r\nwes\r\nwys\r\nweja\r\n"
                "weak\r\nwyak\r\ndod\r\node\r\nprzep\r\nstp\r\n"));
        ZapiszPlik(plik, "wex\nstp\n");
        f->UstawStatus(1, QStringLiteral("x"));
        A("Menu_Maszyna_Wczytaj")->trigger();
        QCOMPARE(filtry, (QStringList{"Maszyna (*.mas)|Wszystkie pliki (*)|mas",
                                      "Maszyna (*.mas)|Wszystkie pliki (*)|"}));
        QVERIFY(s->Architektura.Jest(NumerSygnalu("wex")));
        QVERIFY(!s->Architektura.Jest(NumerSygnalu("wel")));
        QCOMPARE(f->Status(0), QStringLiteral("K")); // the preset name stays
        QCOMPARE(f->Status(1), QStringLiteral(" ")); // the panels redrew
        QCOMPARE(okna.size(), 2);
    }

    void plikiProgramu() {
        QTemporaryDir katalog;
        const QString plik = katalog.filePath(QStringLiteral("p.prg"));
        QStringList filtry;
        odpowiedz = [&](QDialog& okno) {
            if (auto* d = qobject_cast<QFileDialog*>(&okno)) {
                filtry << d->nameFilters().first() + QLatin1Char('|') + d->defaultSuffix();
                d->selectFile(plik);
                return static_cast<int>(QDialog::Accepted);
            }
            return static_cast<int>(QMessageBox::Ok);
        };
        f->FrameProgram1->UstawLinieProgramu({"\tpob 3 ; ład", "stop"});
        A("Menu_Program_Zapisz")->trigger();
        QCOMPARE(Plik(plik), QByteArray("\tpob 3 ; \xb3"
                                        "ad\r\nstop\r\n"));
        ZapiszPlik(plik, "a\nb");
        A("Menu_Program_Wczytaj")->trigger();
        QCOMPARE(f->FrameProgram1->LinieProgramu(), (std::vector<std::string>{"a", "b"}));
        QCOMPARE(filtry, (QStringList{"Program (*.prg)|prg", "Program (*.prg)|"}));
        // A cancelled dialog changes nothing.
        odpowiedz = nullptr;
        A("Menu_Program_Wczytaj")->trigger();
        QCOMPARE(f->FrameProgram1->LinieProgramu(), (std::vector<std::string>{"a", "b"}));
    }

    void plikiRozkazowINieczytelnyPlik() {
        QTemporaryDir katalog;
        const QString plik = katalog.filePath(QStringLiteral("r.roz"));
        QStringList filtry;
        odpowiedz = [&](QDialog& okno) {
            if (auto* d = qobject_cast<QFileDialog*>(&okno)) {
                filtry << d->nameFilters().first() + QLatin1Char('|') + d->defaultSuffix();
                d->selectFile(plik);
                return static_cast<int>(QDialog::Accepted);
            }
            return static_cast<int>(QMessageBox::Ok);
        };
        A("Menu_Rozkazy_Zapisz")->trigger();
        QVERIFY(Plik(plik).startsWith("7\r\ndod\r\n"));
        A("Menu_Rozkazy_UsunWszystkie")->trigger();
        A("Menu_Rozkazy_Wczytaj")->trigger();
        QCOMPARE(s->ListaRozkazow.Count(), 7);
        QCOMPARE(s->ListaRozkazow[3].Nazwa, std::string("ład"));
        QCOMPARE(filtry, (QStringList{"Rozkazy (*.roz)|roz", "Rozkazy (*.roz)|"}));
        // A refused file is shown in a box and changes nothing.
        ZapiszPlik(plik, "1\r\nx\r\nopis\r\nabc\r\n");
        okna.clear();
        A("Menu_Rozkazy_Wczytaj")->trigger();
        QCOMPARE(okna.size(), 2);
        QVERIFY(okna[1].startsWith(QStringLiteral("Informacja|")));
        QVERIFY(okna[1].contains(QStringLiteral("abc")));
        QCOMPARE(s->ListaRozkazow.Count(), 7);
        // So is a file that cannot be read at all.
        QFile::remove(plik);
        okna.clear();
        A("Menu_Maszyna_Wczytaj")->trigger();
        QCOMPARE(okna.size(), 2);
        QCOMPARE(s->NazwaPresetu, std::string("K"));
        QCOMPARE(s->Architektura.Jest(NumerSygnalu("wel")), true);
    }

    // ---- enabling ----

    QString Dostepnosc() {
        auto b = [](bool x) { return x ? QLatin1Char('1') : QLatin1Char('0'); };
        QString w;
        TFrameMaszyna* m = f->FrameMaszyna1;
        TFrameCPU* c = f->FrameCPU1;
        w += b(m->SpeedButtonRecznie->isChecked());
        w += b(A("Menu_Maszyna_Recznie")->isChecked());
        w += b(!m->SpeedButtonStop->isHidden());
        w += b(!c->SpeedButtonStop->isHidden());
        w += QLatin1Char(' ');
        for (const char* n :
             {"Menu_Symulator", "Menu_Program", "Menu_Rozkazy", "Menu_Mikroprogram",
              "Menu_Breakpoints", "Menu_Maszyna", "Menu_CPU", "Menu_Konsola", "Menu_Debug"})
            w += b(A(n)->isEnabled());
        w += QLatin1Char(' ');
        for (int p : {1, 2, 3, 8, 4, 5, 6, 7})
            w += b(f->Przycisk(p)->isEnabled());
        w += QLatin1Char(' ');
        for (const char* n : {"Menu_Maszyna_Takt", "Menu_Maszyna_Rozkaz", "Menu_Maszyna_Program",
                              "Menu_Maszyna_Stop"})
            w += b(A(n)->isEnabled());
        w += QLatin1Char(' ');
        for (QToolButton* p : {m->SpeedButtonTakt, m->SpeedButtonRozkaz, m->SpeedButtonProgram,
                               c->SpeedButtonTakt, c->SpeedButtonRozkaz, c->SpeedButtonProgram})
            w += b(p->isEnabled());
        w += QLatin1Char(' ');
        bool zawsze = A("Menu_Maszyna_Reset")->isEnabled() && m->SpeedButtonReset->isEnabled() &&
                      c->SpeedButtonReset->isEnabled();
        for (const char* n : {"Menu_CPU_PokazPanel", "Menu_CPU_Takt", "Menu_CPU_Rozkaz",
                              "Menu_CPU_Program", "Menu_CPU_Reset", "Menu_CPU_Stop"})
            zawsze = zawsze && A(n)->isEnabled();
        w += b(zawsze);
        return w;
    }

    void Tryb(int tryb, bool zatrzymana) {
        M().Reset();
        if (zatrzymana) M().WykonajMikrorozkaz("stp");
        s->StanPracy.TrybPracy = tryb;
        f->UstawDostepnosc();
    }

    void dostepnoscWKazdymTrybie() {
        // Recznie/Stop | Symulator Program Rozkazy Mikroprogram Punkty Maszyna CPU Konsola Debug |
        // top buttons 1 2 3 8 4 5 6 7 | Maszyna > Takt Rozkaz Program Stop |
        // schematic Takt Rozkaz Program, CPU Takt Rozkaz Program | Reset and the CPU menu
        Tryb(0, false);
        QCOMPARE(Dostepnosc(), QStringLiteral("0000 111111111 11111111 1111 111111 1"));
        Tryb(0, true);
        QCOMPARE(Dostepnosc(), QStringLiteral("0000 111111111 11111111 0111 000000 1"));
        Tryb(1, false);
        QCOMPARE(Dostepnosc(), QStringLiteral("1100 100111111 10010110 1000 100000 1"));
        Tryb(1, true);
        QCOMPARE(Dostepnosc(), QStringLiteral("1100 100111111 10010110 0000 000000 1"));
        // Running: the run commands keep what they had.
        Tryb(2, false);
        QCOMPARE(Dostepnosc(), QStringLiteral("0011 000001111 10001110 0000 000000 1"));
        Tryb(0, false);
        Tryb(2, true);
        QCOMPARE(Dostepnosc(), QStringLiteral("0011 000001111 10001110 1111 111111 1"));
        // Any other mode changes nothing.
        Tryb(3, false);
        QCOMPARE(Dostepnosc(), QStringLiteral("0011 000001111 10001110 1111 111111 1"));
    }

    // ---- keys ----

    void klawiszeWedlugPaneluNaWierzchu() {
        DodajIStop();
        QTest::keyClick(f.get(), Qt::Key_F7);
        QCOMPARE(M().BiezacyWiersz(), 4);
        QTest::keyClick(f.get(), Qt::Key_F8, Qt::ShiftModifier); // Shift is not examined
        QCOMPARE(M().Wartosc(Slot::AK), 5u);
        QCOMPARE(M().BiezacyWiersz(), -1);
        QTest::keyClick(f.get(), Qt::Key_F9, Qt::ControlModifier); // Ctrl too runs the program here
        QVERIFY(M().Zatrzymana());
        QCOMPARE(M().Wartosc(Slot::AK), 12u);

        DodajIStop();
        f->SpeedButtonCPU->click();
        QTest::keyClick(f.get(), Qt::Key_F7);
        QCOMPARE(M().BiezacyWiersz(), 4);
        QTest::keyClick(f.get(), Qt::Key_F8);
        QCOMPARE(M().Wartosc(Slot::AK), 5u);
        QTest::keyClick(f.get(), Qt::Key_F9);
        QCOMPARE(M().Wartosc(Slot::AK), 12u);

        DodajIStop();
        for (int p : {3, 5, 6, 7, 8}) {
            f->Przycisk(p)->click();
            for (int k : {Qt::Key_F7, Qt::Key_F8, Qt::Key_F9})
                QTest::keyClick(f.get(), static_cast<Qt::Key>(k));
        }
        QCOMPARE(M().BiezacyWiersz(), -1);
        QCOMPARE(M().Wartosc(Slot::L), 0u);
    }

    void ctrlF9KompilujeProgramNawetZEdytora() {
        f->SpeedButtonProgram->click();
        TEdytorKodu* edytor = f->FrameProgram1->Memo2;
        f->FrameProgram1->UstawLinieProgramu({"pob 3", "stop", "rst 5"});
        M().UstawRejestr(Slot::AK, 9);
        QTest::keyClick(edytor, Qt::Key_F9);
        QCOMPARE(f->FrameProgram1->ListBox1->count(), 0);
        QCOMPARE(M().CzytajPaO(0), 0u);
        QTest::keyClick(edytor, Qt::Key_F9, Qt::ControlModifier);
        QVERIFY(f->FrameProgram1->ListBox1->count() > 0);
        QCOMPARE(f->FrameProgram1->ListBox1->Teksty().first(), QStringLiteral("Kompilacja"));
        QCOMPARE(M().CzytajPaO(0), (4u << 5) | 3u);
        QCOMPARE(M().CzytajPaO(2), 5u);
        QCOMPARE(M().Wartosc(Slot::AK), 0u); // the machine was reset
        QCOMPARE(f->FrameProgram1->LinieProgramu(),
                 (std::vector<std::string>{"pob 3", "stop", "rst 5"}));
    }

    void sekwencjaKlawiszy() {
        auto ctrl = [this](QWidget* w, char c) {
            QTest::keyClick(w, static_cast<Qt::Key>(c), Qt::ControlModifier);
        };
        for (char c : std::string_view("PLOVE"))
            ctrl(f.get(), c);
        QVERIFY(okna.isEmpty());
        ctrl(f.get(), 'R');
        QCOMPARE(okna,
                 QStringList{QStringLiteral("Symulator komputera dydaktycznego|Easter Egg!")});

        // Keys without Ctrl between the letters do not break it; a wrong key with Ctrl does.
        okna.clear();
        for (char c : std::string_view("PLO")) {
            ctrl(f.get(), c);
            QTest::keyClick(f.get(), Qt::Key_A);
        }
        ctrl(f.get(), 'X');
        for (char c : std::string_view("VER"))
            ctrl(f.get(), c);
        QVERIFY(okna.isEmpty());
        for (char c : std::string_view("PLOVER"))
            ctrl(f.get(), c);
        QCOMPARE(okna.size(), 1);

        // A key that a child ignores travels up to its parents; it counts once.
        okna.clear();
        for (char c : std::string_view("PLOVER"))
            ctrl(f->Image1, c);
        QCOMPARE(okna.size(), 1);
    }

    // ---- languages ----

    void jezykiZmieniajaTylkoNapisy() {
        auto napisy = [this] {
            QStringList w;
            for (const TNapis& n : Napisy) {
                const QString nazwa = Q(n.Skladnik);
                if (QAction* a = f->Akcja(nazwa))
                    w << a->text();
                else
                    w << f->findChild<QToolButton*>(nazwa, Qt::FindChildrenRecursively)->text();
            }
            return w;
        };
        auto kolumna = [](int jezyk) {
            QStringList w;
            for (const TNapis& n : Napisy)
                w << Q(jezyk == 1 ? n.Polski : n.Angielski);
            return w;
        };
        s->StanPracy.TrybPracy = 1;
        f->UstawDostepnosc();
        const QString stan = Dostepnosc();
        A("Menu_Angielski")->trigger();
        QCOMPARE(napisy(), kolumna(2));
        QCOMPARE(A("Menu_CPU")->text(), QStringLiteral("CPU"));
        QCOMPARE(f->SpeedButtonCPU->text(), QStringLiteral("CPU"));
        QCOMPARE(f->SpeedButtonRozkaz->text(), QStringLiteral("Rozkaz"));
        QVERIFY(A("Menu_Angielski")->isChecked());
        QVERIFY(!A("Menu_Polski")->isChecked());
        QCOMPARE(Dostepnosc(), stan);
        QCOMPARE(f->Architektura2->text(), QStringLiteral("Architektura"));
        QCOMPARE(f->FrameMaszyna1->SpeedButtonTakt->text(), QStringLiteral("Takt [F7]"));
        QCOMPARE(A("Menu_Breakpoints_Wczytaj")->text(), QStringLiteral("Wczytaj..."));
        f->UstawJezyk(3);
        QCOMPARE(napisy(), kolumna(2));
        A("Menu_Polski")->trigger();
        QCOMPARE(napisy(), kolumna(1));
        QCOMPARE(A("Menu_CPU")->text(), QStringLiteral("JAL"));
        QCOMPARE(A("Menu_Pomoc_Informacje")->text(), QStringLiteral("I&nformacje"));
        QVERIFY(A("Menu_Polski")->isChecked());
        QVERIFY(!A("Menu_Angielski")->isChecked());
        QCOMPARE(Dostepnosc(), stan);
    }

    // ---- closing ----

    void zamkniecieWymagaPotwierdzenia() {
        QString tytul, tekst;
        QMessageBox::Icon ikona = QMessageBox::NoIcon;
        QMessageBox::StandardButtons przyciski;
        QMessageBox::StandardButton domyslny = QMessageBox::NoButton;
        odpowiedz = [&](QDialog& okno) {
            auto* box = qobject_cast<QMessageBox*>(&okno);
            tytul = box->windowTitle();
            tekst = box->text();
            ikona = box->icon();
            przyciski = box->standardButtons();
            domyslny = box->standardButton(box->defaultButton());
            return static_cast<int>(QMessageBox::No);
        };
        s->StanPracy.TrybPracy = 2; // as if a program ran
        A("Menu_Symulator_Zakoncz")->trigger();
        QCOMPARE(tytul, QStringLiteral("Symulator komputera dydaktycznego"));
        QCOMPARE(tekst, QStringLiteral("Czy chcesz zakończyć pracę symulatora?"));
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
        QCOMPARE(okna,
                 QStringList{QStringLiteral(
                     "Symulator komputera dydaktycznego|Czy chcesz zakończyć pracę symulatora?")});
        QVERIFY(stopWidoczny);
        QVERIFY(menuWylaczone);
        QVERIFY(trwal);
        QCOMPARE(s->StanPracy.TrybPracy, 0);
        QVERIFY(f->FrameMaszyna1->SpeedButtonStop->isHidden());
        QVERIFY(A("Menu_Program")->isEnabled());
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
        f->SpeedButtonSimpleMode->click();
        QCOMPARE(f->WidocznyPanel(), 1);
        for (QToolButton* b : {f->SpeedButtonCPU, f->SpeedButtonKonsola, f->SpeedButtonDebug,
                               f->SpeedButtonBreakpoints})
            QVERIFY(b->isHidden());
        for (const char* n : {"Menu_CPU", "Menu_Konsola", "Menu_Debug", "Menu_Breakpoints"})
            QVERIFY(!A(n)->isVisible());
        f->SpeedButtonSimpleMode->click();
        QVERIFY(!f->SpeedButtonCPU->isHidden());
        QVERIFY(A("Menu_Debug")->isVisible());
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
