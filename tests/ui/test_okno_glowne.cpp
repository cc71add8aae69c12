#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <QScopeGuard>
#include <QScreen>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QStyle>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QToolButton>
#include <QTreeWidget>

#include "EdytorKodu.h"
#include "ListaKomunikatow.h"
#include "TAboutBox.h"
#include "TFrameCPU.h"
#include "TFrameKonsola.h"
#include "TFrameMaszyna.h"
#include "TFramePamiecMikroprogramu.h"
#include "TFrameProgram.h"
#include "TLanguages.h"
#include "TObrazMaszyny.h"
#include "TPrzebiegOkna.h"
#include "TSplashScreen.h"
#include "TestyUi.h"
#include "Wyglad.h"

namespace {

QString Q(std::string_view s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

QByteArray Plik(const QString& sciezka) {
    QFile f(sciezka);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

class TestOknaGlownego : public QObject {
    Q_OBJECT

    std::unique_ptr<TOknoGlowne> o;
    TFormMain* f = nullptr;
    TSymulator* s = nullptr;

    QAction* A(const char* nazwa) { return o->A(nazwa); }
    TMaszyna& M() { return s->Maszyna; }
    void DodajIStop() {
        o->Zaladuj({"pob a", "dod b", "stop", "a: rst 5", "b: rst 7"});
        f->UstawDostepnosc();
    }

    // Enabled, checked and visible states: Recznie (button, menu), Stop shown (schematic,
    // CPU) | menus Symulator Program Maszyna CPU Konsola | top buttons Maszyna Program CPU
    // Konsola | Takt (menu, schematic, CPU), Program (menu, CPU), Reset | back: Takt wstecz,
    // Rozkaz wstecz in the menu, on the schematic and on the CPU panel.
    QString Dostepnosc() {
        TFrameMaszyna* m = f->FrameMaszyna1;
        TFrameCPU* c = f->FrameCPU1;
        auto a = [this](const char* nazwa) { return A(nazwa)->isEnabled(); };
        auto p = [](const QToolButton* b) { return b->isEnabled(); };
        return QStringList{
            Bity({m->SpeedButtonRecznie->isChecked(), A("Menu_Maszyna_Recznie")->isChecked(),
                  !m->SpeedButtonStop->isHidden(), !c->SpeedButtonStop->isHidden()}),
            Bity({a("Menu_Symulator"), a("Menu_Program"), a("Menu_Maszyna"), a("Menu_CPU"),
                  a("Menu_Konsola")}),
            Bity({p(f->Przycisk(1)), p(f->Przycisk(2)), p(f->Przycisk(4)), p(f->Przycisk(5))}),
            Bity({a("Menu_Maszyna_Takt"), p(m->SpeedButtonTakt), p(c->SpeedButtonTakt),
                  a("Menu_Maszyna_Program"), p(c->SpeedButtonProgram), a("Menu_Maszyna_Reset")}),
            Bity({a("Menu_Maszyna_TaktWstecz"), a("Menu_Maszyna_RozkazWstecz"),
                  p(m->SpeedButtonTaktWstecz), p(m->SpeedButtonRozkazWstecz),
                  p(c->SpeedButtonTaktWstecz), p(c->SpeedButtonRozkazWstecz)}),
        }
            .join(QLatin1Char(' '));
    }

  private slots:
    void init() {
        o = std::make_unique<TOknoGlowne>();
        f = &o->f;
        s = &o->s;
    }

    void cleanup() { o.reset(); }

    void startPaneleITrybProsty() {
        QCOMPARE(QRect(f->pos(), f->size()), QRect(0, 0, 750, 720));
        QCOMPARE((QStringList{f->windowTitle(), QCoreApplication::applicationName(), f->Status(0),
                              f->FrameProgram1->ComboBoxProgram->currentText()}),
                 (QStringList{"Symulator komputera dydaktycznego 1.00",
                              "Symulator komputera dydaktycznego", "K", "Program"}));
        QCOMPARE(Dostepnosc(), QStringLiteral("0000 11111 1111 111111 000000"));
        QVERIFY(A("Menu_Polski")->isChecked() && !A("Menu_Angielski")->isChecked());
        // The top buttons in one group, exactly one down.
        const int panele[] = {1, 2, 3, 8, 4, 5, 6, 7};
        const QStringList napisy = {"Maszyna", "Program", "Rozkaz", "Mikroprogram",
                                    "JAL",     "Konsola", "Debug",  "Punkty zatrzymania"};
        for (int i = 0; i < 8; ++i) {
            const QToolButton* b = f->Przycisk(panele[i]);
            QCOMPARE(b->geometry(), QRect(4 + 84 * i, 4, i == 7 ? 105 : 85, 45));
            QCOMPARE(b->text() + QString::number(b->isChecked()),
                     napisy[i] + QString::number(i == 0));
        }
        QCOMPARE(f->Image1->geometry(), QRect(79, 4, 8, 45));
        // A panel is refreshed only when it comes to the front, and the buttons stay.
        f->UstawStatus(1, QStringLiteral("x"));
        f->PokazPanel(1);
        QCOMPARE(f->Status(1), QStringLiteral("x"));
        M().WykonajMikrorozkaz("wyl wea");
        f->PokazPanel(4);
        QCOMPARE(f->Status(1), QStringLiteral(" ")); // the CPU panel writes the current text
        QVERIFY(f->SpeedButtonMaszyna->isChecked());
        f->PokazPanel(9);
        QCOMPARE(f->WidocznyPanel(), 4);
        // Simple mode hides the CPU, Konsola, Debug and Punkty buttons and menus.
        f->SpeedButtonKonsola->click();
        auto ukryte = [this] {
            return Bity({f->SpeedButtonCPU->isHidden(), f->SpeedButtonKonsola->isHidden(),
                         f->SpeedButtonDebug->isHidden(), f->SpeedButtonBreakpoints->isHidden(),
                         !A("Menu_CPU")->isVisible(), !A("Menu_Konsola")->isVisible(),
                         !A("Menu_Debug")->isVisible(), !A("Menu_Breakpoints")->isVisible()});
        };
        f->SpeedButtonSimpleMode->click();
        QCOMPARE(f->WidocznyPanel(), 1);
        QCOMPARE(ukryte(), QStringLiteral("11111111"));
        f->SpeedButtonSimpleMode->click();
        QCOMPARE(ukryte(), QStringLiteral("00000000"));
    }

    void menuWKolejnosci() {
        // The items a user sees, by the last part of their names.
        auto widoczne = [](const QList<QAction*>& pozycje) {
            QStringList w;
            for (const QAction* a : pozycje)
                if (a->isVisible())
                    w << (a->isSeparator() ? QStringLiteral("-")
                                           : a->objectName().section(QLatin1Char('_'), -1));
            return w.join(QLatin1Char(' '));
        };
        QCOMPARE((QStringList{widoczne(f->menuBar()->actions()),
                              widoczne(A("Menu_Symulator")->menu()->actions()),
                              widoczne(A("Menu_Maszyna")->menu()->actions()),
                              widoczne(A("Menu_Pomoc")->menu()->actions())}),
                 (QStringList{"Symulator Maszyna Program Rozkazy Mikroprogram CPU Konsola Debug "
                              "Breakpoints - Pomoc",
                              "Architektura - Jezyk - Zakoncz",
                              "PokazPanel - Wczytaj Zapisz - Recznie - Takt Rozkaz TaktWstecz "
                              "RozkazWstecz Program Reset Stop",
                              "Podrecznik Informacje"}));
    }

    void trasowaniePokazujePanel_data() {
        QTest::addColumn<QString>("pozycja");
        QTest::addColumn<int>("panel");
        const std::pair<int, const char*> tabela[] = {
            {1, "Maszyna_PokazPanel Maszyna_Recznie Maszyna_Takt Maszyna_Program Maszyna_Stop"},
            {2, "Program_Kompiluj"},
            {3, "Rozkazy_Kompiluj Rozkazy_Dodaj"},
            {8, "Mikroprogram_UkryjPuste"},
            {4, "CPU_PokazPanel CPU_Takt CPU_Program"},
            {5, "Konsola_Wyczysc"},
            {6, "Debug_PokazPanel"},
            {7, "Breakpoints_Usun"},
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

    void poleceniaZMenuIKlawiszy() {
        // Takt, Rozkaz, Program from either menu, or F7 F8 F9 with the schematic or the CPU
        // panel in front (Ctrl is not examined); over any other panel the keys do nothing.
        // The CPU menu's Takt runs the microprogram in manual mode too. The row after each
        // command: the microprogram row, AK, stopped and AK.
        const struct {
            const char* menu;
            int panel;
            Qt::KeyboardModifiers klawisze;
            const char* wynik;
        } sposoby[] = {
            {"Menu_Maszyna", 6, {}, "4 5 1 12"},
            {"Menu_CPU", 6, {}, "4 5 1 12"},
            {"", 1, Qt::ControlModifier, "4 5 1 12"},
            {"", 4, {}, "4 5 1 12"},
            {"", 3, {}, "-1 0 0 0"},
            {"", 8, {}, "-1 0 0 0"},
        };
        for (const auto& w : sposoby) {
            DodajIStop();
            f->Przycisk(w.panel)->click();
            auto wykonaj = [&](const char* polecenie, Qt::Key klawisz) {
                if (*w.menu)
                    f->Akcja(QLatin1String(w.menu) + QLatin1String(polecenie))->trigger();
                else
                    QTest::keyClick(f, klawisz, w.klawisze);
            };
            s->StanPracy.TrybPracy = QLatin1String(w.menu) == QLatin1String("Menu_CPU")
                                         ? TTrybPracy::Reczny
                                         : TTrybPracy::Bezczynny;
            wykonaj("_Takt", Qt::Key_F7);
            s->StanPracy.TrybPracy = TTrybPracy::Bezczynny;
            QStringList wynik{QString::number(M().BiezacyWiersz())};
            wykonaj("_Rozkaz", Qt::Key_F8);
            wynik << QString::number(M().Wartosc(Slot::AK));
            wykonaj("_Program", Qt::Key_F9);
            wynik << QString::number(M().Zatrzymana()) << QString::number(M().Wartosc(Slot::AK));
            QCOMPARE(QString::number(w.panel) + w.menu + wynik.join(QLatin1Char(' ')),
                     QString::number(w.panel) + w.menu + QLatin1String(w.wynik));
        }
        // The schematic's Reset empties the console, the CPU panel's keeps it; Stop asks a
        // run to stop.
        QStringList wyniki;
        for (const char* menu : {"Menu_Maszyna", "Menu_CPU"}) {
            DodajIStop();
            A("Menu_Maszyna_Program")->trigger();
            s->Konsola.UstawWejscie("abc");
            s->StanPracy.ZadanieStopu = false;
            f->Akcja(QLatin1String(menu) + QLatin1String("_Reset"))->trigger();
            wyniki << Bity(
                {M().Zatrzymana(), s->Konsola.WejsciePuste(), s->StanPracy.ZadanieStopu});
            s->StanPracy.ZadanieStopu = false;
            f->Akcja(QLatin1String(menu) + QLatin1String("_Stop"))->trigger();
            wyniki << Bity({s->StanPracy.ZadanieStopu});
        }
        QCOMPARE(wyniki, (QStringList{"011", "1", "000", "1"}));
    }

    void recznieZMenuNieCzysciWyboru() {
        bool& wea = o->Wybrany("wea");
        wea = true;
        A("Menu_Maszyna_Recznie")->trigger();
        QCOMPARE(s->StanPracy.TrybPracy, TTrybPracy::Reczny);
        QCOMPARE(Dostepnosc().left(4), QStringLiteral("1100")); // the menu item and the button
        QVERIFY(wea);
        A("Menu_Maszyna_Recznie")->trigger();
        QCOMPARE(Dostepnosc().left(4), QStringLiteral("0000"));
    }

    void trasowanieRozkazowPamieciKonsoliIDebug() {
        A("Menu_Rozkazy_UsunWszystkie")->trigger();
        QCOMPARE(s->PamiecMikroprogramu.Wiersz(1).Sygnaly, std::string()); // recompiled
        A("Menu_Rozkazy_UstawStandardowe")->trigger();
        A("Menu_Rozkazy_Dodaj")->trigger();
        QCOMPARE(s->ListaRozkazow.Count(), 8);
        QCOMPARE(o->okna, QStringList()); // without a question

        A("Menu_Mikroprogram_UkryjPuste")->trigger();
        QVERIFY(f->FramePamiecMikroprogramu1->SpeedButtonUkryjPuste->isChecked());
        // A machine's message turns the log's button red and bold until the log is shown.
        auto wyrozniony = [this] {
            const bool czerwony =
                f->SpeedButtonDebug->palette().color(QPalette::ButtonText) == QColor(Qt::red);
            return f->SpeedButtonDebug->font().bold() == czerwony && czerwony;
        };
        M().ZglosKomunikat("WEA - Próba odczytu z pustej magistrali adresowej A");
        QVERIFY(wyrozniony());
        A("Menu_Debug_Wyczysc")->trigger();
        QVERIFY(s->Dziennik.Linie().empty() && !wyrozniony());
        M().ZglosKomunikat("x");
        f->SpeedButtonDebug->click();
        QVERIFY(!wyrozniony());
    }

    void architekturaOdswiezaPanelePoOknieJakiegokolwiekWyniku() {
        QDialog dialog;
        f->FormArchitektura = &dialog;
        o->odpowiedz = [this](QDialog&) {
            s->ZastosujPreset("Max");
            return static_cast<int>(QDialog::Rejected);
        };
        f->UstawStatus(1, QStringLiteral("x"));
        f->Architektura2->trigger();
        QCOMPARE(o->okna.size(), 1);
        QCOMPARE(f->Status(0), QStringLiteral("Max"));
        QCOMPARE(f->Status(1), QStringLiteral(" ")); // the schematic and CPU panels redrew
    }

    void zmianyWlascicielaDocierajaDoPaneli() {
        // Made on the owner with no command of the window: the panels hear of them alone.
        std::string bajty, blad;
        TSymulator wzor;
        wzor.UsunWszystkieRozkazy();
        QVERIFY(wzor.ZapiszRozkazyDoBajtow(bajty, blad));
        QVERIFY(s->WczytajRozkazyZBajtow(bajty, blad));
        QCOMPARE(f->FrameRozkaz1->ListViewRozkaz->topLevelItemCount(), wzor.ListaRozkazow.Count());
        QVERIFY(s->ZastosujPreset("EK"));
        QCOMPARE(f->Status(0), QStringLiteral("EK"));
        QVERIFY(!f->FrameKonsola1->Edit1->isHidden());
        s->UstawTrybPracy(TTrybPracy::Reczny);
        QVERIFY(f->Akcja(QStringLiteral("Menu_Maszyna_Recznie"))->isChecked());
    }

    void pomocAdresyIPodrecznik() {
        // Hidden items, shown as another build might, do what the help menu promises.
        for (const char* n :
             {"Menu_Symulator_Wczytaj", "Menu_Symulator_Zapisz", "Menu_Breakpoints_Wczytaj",
              "Menu_Breakpoints_Zapisz", "Menu_Pomoc_TematyPomocy", "Menu_Pomoc_StronaDomowa",
              "Menu_Pomoc_SprawdzenieWersjiProgramu", "Menu_Pomoc_Email"}) {
            A(n)->setVisible(true);
            A(n)->trigger();
        }
        QCOMPARE(o->adresy.value(2).toString() + QString::number(o->adresy.size()) +
                     o->okna.join(""),
                 TFormMain::AdresStronyDomowej() + QStringLiteral("/check.php?ver=1.004"));
        // The manual, searched beside the program: a box when missing, else the HTML when
        // the build rendered it, or the Markdown.
        QTemporaryDir katalog;
        f->KatalogProgramu = katalog.filePath(QStringLiteral("bin"));
        A("Menu_Pomoc_Podrecznik")->trigger();
        QCOMPARE(o->okna.size(), 1);
        QVERIFY(o->okna[0].startsWith(QStringLiteral("Informacja|Nie znaleziono podręcznika")));
        QVERIFY(QDir(katalog.path()).mkpath(QStringLiteral("bin")));
        QVERIFY(QDir(katalog.path()).mkpath(QStringLiteral("share/symulator/podrecznik")));
        const QString podrecznik = katalog.filePath(QStringLiteral("share/symulator/podrecznik/"));
        for (const char* nazwa : {"podrecznik.md", "podrecznik.html"}) {
            ZapiszPlik(podrecznik + QLatin1String(nazwa), "#");
            A("Menu_Pomoc_Podrecznik")->trigger();
            QCOMPARE(o->adresy.last().fileName(), QLatin1String(nazwa));
        }
    }

    void informacjeNaSrodkuEkranu() {
        f->AboutBox->move(3, 3);
        A("Menu_Pomoc_Informacje")->trigger();
        const QPoint srodek = QGuiApplication::primaryScreen()->geometry().center();
        QVERIFY((f->AboutBox->frameGeometry().center() - srodek).manhattanLength() <= 2);
        QCOMPARE(o->okna.join("") + f->AboutBox->Version->text(),
                 QStringLiteral("InformacjeWersja 1.00"));
    }

    // ---- files ----

    void plikiTrzechRodzajow() {
        QTemporaryDir katalog;
        QString plik;
        QStringList filtry;
        o->odpowiedz = [&](QDialog& okno) {
            auto* d = qobject_cast<QFileDialog*>(&okno);
            if (!d) return static_cast<int>(QMessageBox::Ok);
            filtry << d->nameFilters().join(QLatin1Char('|')) + QLatin1Char('|') +
                          d->defaultSuffix();
            d->selectFile(plik);
            return static_cast<int>(QDialog::Accepted);
        };
        plik = katalog.filePath(QStringLiteral("k.mas"));
        A("Menu_Maszyna_Zapisz")->trigger();
        QVERIFY(Plik(plik).startsWith("wel\r\nwyl\r\n"));
        ZapiszPlik(plik, "wex\nstp\n");
        f->UstawStatus(1, QStringLiteral("x"));
        A("Menu_Maszyna_Wczytaj")->trigger();
        QVERIFY(s->Architektura.Jest(NumerSygnalu("wex")));
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
        A("Menu_Rozkazy_UsunWszystkie")->trigger();
        A("Menu_Rozkazy_Wczytaj")->trigger();
        QCOMPARE(s->ListaRozkazow.Count(), 7);
        QCOMPARE(filtry.first() + QString::number(o->okna.size()),
                 QStringLiteral("Maszyna (*.mas)|Wszystkie pliki (*)|mas6")); // no error box
        // A cancelled dialog changes nothing.
        o->odpowiedz = nullptr;
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
        // File, panel in front, the boxes shown.
        const struct {
            const char* plik;
            int panel;
            const char* okna;
        } tabela[] = {
            {"p.PRG", 2, ""},
            {"r.roz", 3, ""},
            {"m.mas", 1, ""},
            {"brak.prg", 2,
             "Informacja|Nie można otworzyć pliku \"%1/brak.prg\": nie ma takiego pliku ani "
             "katalogu."},
            {"notatki.txt", 2,
             "Informacja|Nie można otworzyć pliku \"%1/notatki.txt\": symulator otwiera "
             "programy (.prg), zestawy rozkazów (.roz) i pliki maszyny (.mas)."},
        };
        for (const auto& w : tabela) {
            o->okna.clear();
            f->OtworzPlik(sciezka(w.plik));
            const QString oczekiwane =
                QString::fromUtf8(w.okna).replace(QStringLiteral("%1"), katalog.path());
            const QString wynik = QString::number(f->WidocznyPanel()) +
                                  QString::number(f->Przycisk(w.panel)->isChecked()) +
                                  o->okna.join(QLatin1Char('\n'));
            QVERIFY2(wynik == QString::number(w.panel) + QLatin1Char('1') + oczekiwane,
                     qPrintable(QLatin1String(w.plik) + QStringLiteral(": ") + wynik));
        }
        QCOMPARE(f->FrameProgram1->LinieProgramu(),
                 (std::vector<std::string>{"\tpob 3 ; ład", "stop"}));
        QVERIFY(s->ListaRozkazow[1].Opis == "koniec" && s->Architektura.Jest(NumerSygnalu("wex")));
    }

    // ---- enabling ----

    void dostepnoscWKazdymTrybie() {
        // Running: the run commands keep what they had.
        using enum TTrybPracy;
        const std::pair<TTrybPracy, bool> tryby[] = {{Bezczynny, false},
                                                     {Bezczynny, true},
                                                     {Reczny, false},
                                                     {Program, false},
                                                     {Program, true}};
        QStringList stany;
        for (auto [tryb, zatrzymana] : tryby) {
            M().Reset();
            if (zatrzymana) M().WykonajMikrorozkaz("stp");
            s->StanPracy.TrybPracy = tryb;
            f->UstawDostepnosc();
            stany << Dostepnosc().chopped(7);
        }
        QCOMPARE(stany, (QStringList{"0000 11111 1111 111111", "0000 11111 1111 000101",
                                     "1100 10111 1001 110001", "0011 00111 1011 110001",
                                     "0011 00111 1011 110001"}));
    }

    void wTrakciePrzebiegu() {
        // While a program runs, only Stop, the CPU's and the lower menus work; Ręcznie
        // and going back are refused, even when asked for directly; closing asks and a
        // "No" lets the run go on.
        o->Zaladuj({"sob 0"}); // runs until stopped
        TFrameMaszyna* m = f->FrameMaszyna1;
        m->SpeedButtonTakt->click();
        QCOMPARE(Dostepnosc().right(6), QStringLiteral("111111"));
        m->SpeedButtonProgram->click();
        QVERIFY(f->Przebieg->Trwa());
        QCOMPARE(Dostepnosc(), QStringLiteral("0011 00111 1011 111111 000000"));
        const std::size_t takty = s->Historia.Takty();
        f->Przebieg->TaktWstecz();
        QCOMPARE(s->Historia.Takty(), takty);
        QTest::mouseClick(m->SpeedButtonRecznie, Qt::LeftButton);
        A("Menu_Maszyna_Recznie")->trigger();
        QCOMPARE(s->StanPracy.TrybPracy, TTrybPracy::Program);
        f->close(); // answered No
        QVERIFY(f->isVisible() && f->Przebieg->Trwa() && !s->StanPracy.ZadanieStopu);
        QCOMPARE(o->okna.size(), 1);
        m->SpeedButtonStop->click();
        QTRY_COMPARE(s->StanPracy.TrybPracy, TTrybPracy::Bezczynny);
        QCOMPARE(Dostepnosc(), QStringLiteral("0000 11111 1111 111111 111111"));
    }

    // ---- keys ----

    void sekwencjaKlawiszy() {
        for (char c : std::string_view("PLOVER")) {
            QVERIFY(o->okna.isEmpty());
            QTest::keyClick(f, static_cast<Qt::Key>(c), Qt::ControlModifier);
        }
        QCOMPARE(o->okna, QStringList{"Symulator komputera dydaktycznego|Easter Egg!"});
    }

    // ---- languages ----

    void jezykiNapisyPodpowiedziIPasekMenu() {
        // Every caption of the tables (and two they leave alone), the stale notice and the
        // tooltips follow the language; the enabling does not; the bar keeps Pomoc whole.
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
        auto opisy = [this] {
            return QStringList{A("Menu_CPU")->text(), f->Architektura2->text(),
                               f->FrameMaszyna1->SpeedButtonTakt->text(),
                               f->FrameCPU1->ListBoxFlagi->item(4)->toolTip(),
                               f->FrameMaszyna1->Image1->OpisW({40, 146})};
        };
        const QLabel* napis = f->LabelMikroprogram;
        TFrameRozkaz* r = f->FrameRozkaz1;
        QVERIFY(!napis->isVisible());
        // An edit on show, not yet stored: the notice and a highlighted "Kompiluj".
        f->SpeedButtonRozkaz->click();
        r->Memo1->appendPlainText(QStringLiteral("stp ;"));
        QVERIFY(napis->isVisible() && r->SpeedButtonKompiluj->font().bold());
        QCOMPARE(napis->text(), QStringLiteral("Mikroprogram nieaktualny – Rozkazy › Kompiluj"));
        s->StanPracy.TrybPracy = TTrybPracy::Reczny;
        f->UstawDostepnosc();
        const QString stan = Dostepnosc();
        A("Menu_Angielski")->trigger();
        QCOMPARE(rozne(2), QStringList());
        QCOMPARE(napis->text(), QStringLiteral("Microprogram out of date – Rozkazy › Compile"));
        QVERIFY(A("Menu_Angielski")->isChecked() && !A("Menu_Polski")->isChecked());
        QCOMPARE(Dostepnosc(), stan);
        s->StanPracy.TrybPracy = TTrybPracy::Bezczynny;
        f->UstawDostepnosc();
        r->SpeedButtonKompiluj->click();
        QVERIFY(!napis->isVisible() && !r->SpeedButtonKompiluj->font().bold());
        // An instruction added is not compiled: stale until Rozkazy › Kompiluj.
        A("Menu_Rozkazy_Dodaj")->trigger();
        QVERIFY(napis->isVisible());
        A("Menu_Rozkazy_Kompiluj")->trigger();
        QVERIFY(!napis->isVisible());
        f->SpeedButtonCPU->click();
        QCOMPARE(opisy(),
                 (QStringList{"CPU", "Architektura", "Takt [F7]",
                              "INT – 1 while an interrupt is accepted (RP not 0)",
                              "L – instruction counter: address of the next instruction"}));
        A("Menu_Polski")->trigger();
        QCOMPARE(rozne(1), QStringList());
        QCOMPARE(opisy(), (QStringList{"JAL", "Architektura", "Takt [F7]",
                                       "INT – 1, gdy przyjęto przerwanie (RP różny od 0)",
                                       "L – licznik rozkazów: adres następnego rozkazu"}));
        // A status tip goes to the second status panel.
        QStatusTipEvent podpowiedz(QStringLiteral("Zakończ pracę symulatora"));
        QApplication::sendEvent(f, &podpowiedz);
        QCOMPARE(f->Status(1), QStringLiteral("Zakończ pracę symulatora"));
        // Pomoc at the bar's right end (on a second row when the window is too narrow),
        // whole, over no other menu, and none pushed into the overflow button.
        QApplication::processEvents();
        QMenuBar* pasek = f->menuBar();
        const QRect pomoc = pasek->actionGeometry(A("Menu_Pomoc"));
        QVERIFY(pomoc.width() >= pasek->fontMetrics().horizontalAdvance(QStringLiteral("Pomoc")));
        QVERIFY(pasek->rect().contains(pomoc) && pasek->width() - pomoc.right() < 12);
        for (QAction* a : pasek->actions())
            QVERIFY(a == A("Menu_Pomoc") || !pasek->actionGeometry(a).intersects(pomoc));
        const auto* rozszerzenie = pasek->findChild<QToolButton*>();
        QVERIFY(!rozszerzenie || rozszerzenie->isHidden());
    }

    void zamkniecieWymagaPotwierdzenia() {
        // A question, No the default, with Qt's buttons in the window's language (Polish
        // from the start).
        QStringList pytania;
        o->odpowiedz = [&](QDialog& okno) {
            auto* box = qobject_cast<QMessageBox*>(&okno);
            pytania << QStringLiteral("%1 %2 %3/%4")
                           .arg(box->icon() == QMessageBox::Question)
                           .arg(box->defaultButton() == box->button(QMessageBox::No))
                           .arg(box->button(QMessageBox::Yes)->text(),
                                box->button(QMessageBox::No)->text());
            return static_cast<int>(QMessageBox::No);
        };
        s->StanPracy.TrybPracy = TTrybPracy::Program; // as if a program ran
        for (const char* jezyk : {"Menu_Polski", "Menu_Angielski", "Menu_Polski"}) {
            A(jezyk)->trigger();
            A("Menu_Symulator_Zakoncz")->trigger();
        }
        QCOMPARE(pytania, (QStringList{"1 1 &Tak/&Nie", "1 1 &Yes/&No", "1 1 &Tak/&Nie"}));
        QCOMPARE(o->okna.first(), QStringLiteral("Symulator komputera dydaktycznego|"
                                                 "Czy chcesz zakończyć pracę symulatora?"));
        o->odpowiedz = [](QDialog&) { return static_cast<int>(QMessageBox::Yes); };
        QVERIFY(f->close());
        QVERIFY(!f->isVisible() && s->StanPracy.ZadanieStopu);
    }

    void oknaModalneBezZagniezdzonejPetli() {
        // The program's own hook opens the box and returns at once; the answer arrives
        // later, from the event loop, and the box goes away after it.
        TOknoGlowne t;
        t.f.WykonajModalnie = OtworzModalnie;
        QVERIFY(!t.f.close());
        QPointer<QMessageBox> pytanie = t.f.findChild<QMessageBox*>();
        QVERIFY(pytanie && pytanie->isVisible() && pytanie->isModal() && t.f.isVisible());
        pytanie->button(QMessageBox::No)->click();
        QVERIFY(t.f.isVisible());
        QTRY_VERIFY(!pytanie);
        QVERIFY(!t.f.close());
        pytanie = t.f.findChild<QMessageBox*>();
        QVERIFY(pytanie);
        pytanie->button(QMessageBox::Yes)->click();
        QVERIFY(!t.f.isVisible() && t.s.StanPracy.ZadanieStopu);
    }

    // ---- look ----

    void wygladNieZaleznyOdSystemu() {
        QCOMPARE(QApplication::style()->name(), QStringLiteral("fusion"));
        QCOMPARE(QApplication::palette(), QApplication::style()->standardPalette());
        QCOMPARE(QApplication::font().family(), QStringLiteral("Liberation Sans"));
        QCOMPARE(QApplication::font().pixelSize(), 12);
        // The install step gets every font the window names.
        QCOMPARE(BrakujaceCzcionki(CzcionkiOkna()), QStringList());
        QCOMPARE(
            BrakujaceCzcionki({{CzcionkaSchematu(12), QStringLiteral("Liberation Mono")}}),
            QStringList(QStringLiteral("Czcionka „Arial” nie jest „Liberation Mono” (pakiet "
                                       "fonts-liberation): zamiast niej „Liberation Sans”, okno "
                                       "wygląda inaczej.")));
    }

    void wierszeNieRosnaZCzcionka() {
        // Under a much larger general font every grid and list keeps its rows.
        const QFont przed = QApplication::font();
        QFont duza = przed;
        duza.setPixelSize(30);
        QApplication::setFont(duza);
        const auto przywroc = qScopeGuard([&] { QApplication::setFont(przed); });
        TOknoGlowne t;
        t.f.FrameProgram1->ListBox1->Dodaj(QStringLiteral("Kompilacja"));
        const std::tuple<int, QAbstractItemView*, int> wiersze[] = {
            {2, t.f.FrameProgram1->StringGrid_IRQ, 18},
            {2, t.f.FrameProgram1->ListBox1, TListaKomunikatow::WysokoscWiersza},
            {4, t.f.FrameCPU1->ListBoxPamiecProgram, TFrameCPU::WysokoscWierszaPamieci},
            {4, t.f.FrameCPU1->ListBoxRejestry, TFrameCPU::WysokoscWierszaRejestrow},
            {4, t.f.FrameCPU1->ListBoxFlagi, TFrameCPU::WysokoscWierszaRejestrow},
            {8, t.f.FramePamiecMikroprogramu1->StringGridPamiecMikroprogramu, 18},
        };
        for (const auto& [panel, widok, wysokosc] : wiersze) {
            t.f.PokazPanel(panel);
            QApplication::processEvents();
            const auto* siatka = qobject_cast<const QTableView*>(widok);
            const int h = siatka ? siatka->rowHeight(0)
                                 : widok->visualRect(widok->model()->index(0, 0)).height();
            QCOMPARE(widok->objectName() + QString::number(h),
                     widok->objectName() + QString::number(wysokosc));
        }
    }

    void splashZamykaSieDopieroPoZegarze() {
        TSplashScreen splash;
        splash.show();
        QVERIFY(!splash.close() && splash.isVisible());
        QTRY_VERIFY_WITH_TIMEOUT(splash.MozeZamknac(), 5000);
        QVERIFY(splash.close());
    }
};

std::unique_ptr<QObject> TestyOknaGlownego() {
    return std::make_unique<TestOknaGlownego>();
}

#include "test_okno_glowne.moc"
