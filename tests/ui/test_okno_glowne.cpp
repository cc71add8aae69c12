#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScopeGuard>
#include <QScreen>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QStyle>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>

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
    // "sob 0": runs until stopped.
    void Petla() {
        M().WstawKomorke(0, 5, 0, "110");
        M().Reset();
    }

    // Enabled, checked and visible states, in groups: Recznie (button, menu) and the Stop
    // buttons (schematic, CPU) | Symulator Program Rozkazy Mikroprogram Punkty Maszyna CPU
    // Konsola Debug | top buttons 1 2 3 8 4 5 6 7 | Maszyna > Takt Rozkaz Program Stop |
    // schematic Takt Rozkaz Program, CPU Takt Rozkaz Program | the Reset items and buttons
    // and the CPU menu's items | Takt wstecz, Rozkaz wstecz: menu, schematic, CPU.
    QString Dostepnosc() {
        TFrameMaszyna* m = f->FrameMaszyna1;
        TFrameCPU* c = f->FrameCPU1;
        auto a = [this](const char* nazwa) { return A(nazwa)->isEnabled(); };
        auto p = [](const QToolButton* b) { return b->isEnabled(); };
        auto g = [&](int n) { return p(f->Przycisk(n)); };
        return QStringList{
            Bity({m->SpeedButtonRecznie->isChecked(), A("Menu_Maszyna_Recznie")->isChecked(),
                  !m->SpeedButtonStop->isHidden(), !c->SpeedButtonStop->isHidden()}),
            Bity({a("Menu_Symulator"), a("Menu_Program"), a("Menu_Rozkazy"), a("Menu_Mikroprogram"),
                  a("Menu_Breakpoints"), a("Menu_Maszyna"), a("Menu_CPU"), a("Menu_Konsola"),
                  a("Menu_Debug")}),
            Bity({g(1), g(2), g(3), g(8), g(4), g(5), g(6), g(7)}),
            Bity({a("Menu_Maszyna_Takt"), a("Menu_Maszyna_Rozkaz"), a("Menu_Maszyna_Program"),
                  a("Menu_Maszyna_Stop")}),
            Bity({p(m->SpeedButtonTakt), p(m->SpeedButtonRozkaz), p(m->SpeedButtonProgram),
                  p(c->SpeedButtonTakt), p(c->SpeedButtonRozkaz), p(c->SpeedButtonProgram)}),
            Bity({a("Menu_Maszyna_Reset"), p(m->SpeedButtonReset), p(c->SpeedButtonReset),
                  a("Menu_CPU_PokazPanel"), a("Menu_CPU_Takt"), a("Menu_CPU_Rozkaz"),
                  a("Menu_CPU_Program"), a("Menu_CPU_Reset"), a("Menu_CPU_Stop")}),
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

    void startIPasekGorny() {
        QCOMPARE(QRect(f->pos(), f->size()), QRect(0, 0, 750, 720));
        QCOMPARE((QStringList{f->windowTitle(), QCoreApplication::applicationName(), f->Status(0),
                              f->FrameProgram1->ComboBoxProgram->currentText()}),
                 (QStringList{"Symulator komputera dydaktycznego 1.00",
                              "Symulator komputera dydaktycznego", "K", "Program"}));
        QCOMPARE(Dostepnosc(),
                 QStringLiteral("0000 111111111 11111111 1111 111111 111111111 000000"));
        QVERIFY(A("Menu_Polski")->isChecked() && !A("Menu_Angielski")->isChecked());
        QCOMPARE(f->FrameMaszyna1->ListBox1->frameShape(), QFrame::NoFrame);
        // The top buttons in one group, exactly one down.
        const int panele[] = {1, 2, 3, 8, 4, 5, 6, 7};
        const QStringList napisy = {"Maszyna", "Program", "Rozkaz", "Mikroprogram",
                                    "JAL",     "Konsola", "Debug",  "Punkty zatrzymania"};
        for (int i = 0; i < 8; ++i) {
            const QToolButton* b = f->Przycisk(panele[i]);
            QCOMPARE(b->geometry(), QRect(4 + 84 * i, 4, i == 7 ? 105 : 85, 45));
            QCOMPARE(b->text(), napisy[i]);
            QCOMPARE(b->isChecked(), i == 0);
        }
        QCOMPARE(f->WidocznyPanel(), 1);
        QCOMPARE(f->PanelTop->height(), 55);
        QCOMPARE(f->Image1->geometry(), QRect(79, 4, 8, 45));
        f->SpeedButtonCPU->click();
        QVERIFY(f->SpeedButtonCPU->isChecked() && !f->SpeedButtonMaszyna->isChecked());
        QCOMPARE(f->WidocznyPanel(), 4);
    }

    void menuMaWszystkiePozycjeWKolejnosci() {
        auto opisz = [](const QMenu* menu) {
            QStringList w;
            for (const QAction* a : menu->actions())
                w << (a->isSeparator() ? QStringLiteral("-") : a->objectName()) +
                         (a->menu() ? QStringLiteral(">") : QString()) +
                         (a->isVisible() ? QString() : QStringLiteral("(h)"));
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
            {"", 5, {}, "-1 0 0 0"},
            {"", 6, {}, "-1 0 0 0"},
            {"", 7, {}, "-1 0 0 0"},
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
            s->StanPracy.TrybPracy = QLatin1String(w.menu) == QLatin1String("Menu_CPU") ? 1 : 0;
            wykonaj("_Takt", Qt::Key_F7);
            s->StanPracy.TrybPracy = 0;
            QStringList wynik{QString::number(M().BiezacyWiersz())};
            wykonaj("_Rozkaz", Qt::Key_F8);
            wynik << QString::number(M().Wartosc(Slot::AK));
            wykonaj("_Program", Qt::Key_F9);
            wynik << QString::number(M().Zatrzymana()) << QString::number(M().Wartosc(Slot::AK));
            QVERIFY2(wynik.join(QLatin1Char(' ')) == QLatin1String(w.wynik),
                     qPrintable(QStringLiteral("%1 %2: %3")
                                    .arg(QLatin1String(w.menu))
                                    .arg(w.panel)
                                    .arg(wynik.join(QLatin1Char(' ')))));
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
        QCOMPARE(s->StanPracy.TrybPracy, 1);
        QCOMPARE(Dostepnosc().left(4), QStringLiteral("1100")); // the menu item and the button
        QVERIFY(wea);
        // The schematic's Takt now runs the chosen signals and clears the choice.
        A("Menu_Maszyna_Takt")->trigger();
        QCOMPARE(M().BiezacyTekst(), std::string("wea "));
        QVERIFY(!wea);
        A("Menu_Maszyna_Recznie")->trigger();
        QCOMPARE(Dostepnosc().left(4), QStringLiteral("0000"));
        // The schematic's own button clears the choice.
        wea = true;
        f->FrameMaszyna1->SpeedButtonRecznie->click();
        QCOMPARE(s->StanPracy.TrybPracy, 1);
        QVERIFY(!wea);
    }

    void trasowanieRozkazowPamieciKonsoliIDebug() {
        A("Menu_Rozkazy_UsunWszystkie")->trigger();
        QCOMPARE(o->okna, QStringList()); // without a question
        QCOMPARE(s->ListaRozkazow.Count(), 1);
        QCOMPARE(s->PamiecMikroprogramu.Wiersz(1).Sygnaly, std::string()); // recompiled
        A("Menu_Rozkazy_UstawStandardowe")->trigger();
        QCOMPARE(s->PamiecMikroprogramu.Wiersz(1).Sygnaly, std::string("wyad wea "));
        A("Menu_Rozkazy_Dodaj")->trigger();
        QCOMPARE(s->ListaRozkazow.Count(), 8);
        QCOMPARE(o->okna, QStringList());

        A("Menu_Mikroprogram_UkryjPuste")->trigger();
        QVERIFY(f->FramePamiecMikroprogramu1->SpeedButtonUkryjPuste->isChecked());
        A("Menu_Mikroprogram_PokazWszystkie")->trigger();
        QVERIFY(f->FramePamiecMikroprogramu1->SpeedButtonWszystkie->isChecked());

        s->Konsola.UstawWejscie("ab");
        s->Konsola.Wypisz('A');
        A("Menu_Konsola_Wyczysc")->trigger();
        QVERIFY(s->Konsola.WejsciePuste() && s->Konsola.Wyjscie().empty());

        // The machine's messages reach the schematic's per-tick list and the log, whose
        // button turns red and bold until the log is emptied or shown.
        auto wyrozniony = [this] {
            const bool czerwony =
                f->SpeedButtonDebug->palette().color(QPalette::ButtonText) == QColor(Qt::red);
            return f->SpeedButtonDebug->font().bold() == czerwony && czerwony;
        };
        M().ZglosKomunikat("WEA - Próba odczytu z pustej magistrali adresowej A");
        QVERIFY(wyrozniony());
        QCOMPARE(f->FrameMaszyna1->ListBox1->count(), 1);
        A("Menu_Debug_Wyczysc")->trigger();
        QVERIFY(s->Dziennik.Linie().empty());
        QVERIFY(!wyrozniony());
        M().Takt(); // a new tick empties the per-tick list
        QCOMPARE(f->FrameMaszyna1->ListBox1->count(), 0);
        M().ZglosKomunikat("x");
        QVERIFY(wyrozniony());
        f->SpeedButtonDebug->click();
        QVERIFY(!wyrozniony());
        QCOMPARE(s->Dziennik.Linie().size(), std::size_t(1)); // the log itself stays
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
        // Applied: the emptied memory is said.
        o->odpowiedz = [](QDialog& d) {
            d.accept();
            return static_cast<int>(QDialog::Accepted);
        };
        f->Architektura2->trigger();
        QCOMPARE(f->Status(1), QStringLiteral("Pamięć wyczyszczona po zmianie architektury"));
        // The same menu opens from the Maszyna button's arrow, the logo and the status bar.
        QTest::mouseClick(f->Image1, Qt::LeftButton);
        QCOMPARE(f->PopupMenu1->pos(),
                 f->SpeedButtonMaszyna->mapToGlobal(QPoint(0, f->SpeedButtonMaszyna->height())));
        QVERIFY(f->PopupMenu1->isVisible());
        f->PopupMenu1->hide();
        emit f->StatusBar1->customContextMenuRequested(QPoint(5, 5));
        QVERIFY(f->PopupMenu1->isVisible());
        f->PopupMenu1->hide();
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
        QCOMPARE(o->okna, QStringList());
        QCOMPARE(o->adresy.size(), 4);
        QVERIFY(o->adresy[0].isLocalFile());
        QCOMPARE(o->adresy[0].fileName(), QStringLiteral("Zerwon.hlp"));
        QCOMPARE(o->adresy[1].toString(), TFormMain::AdresStronyDomowej());
        QCOMPARE(o->adresy[2].toString(),
                 TFormMain::AdresStronyDomowej() + QStringLiteral("/check.php?ver=1.00"));
        QCOMPARE(o->adresy[3].scheme(), QStringLiteral("mailto"));

        // The manual, searched beside the program: a box when missing, else the HTML when
        // the build rendered it, or the Markdown.
        QTemporaryDir katalog;
        f->KatalogProgramu = katalog.filePath(QStringLiteral("bin"));
        QCOMPARE(A("Menu_Pomoc_Podrecznik")->text(), QStringLiteral("&Podręcznik"));
        A("Menu_Pomoc_Podrecznik")->trigger();
        QCOMPARE(o->okna.size(), 1);
        QVERIFY(o->okna[0].startsWith(QStringLiteral("Informacja|Nie znaleziono podręcznika")));
        QVERIFY(QDir(katalog.path()).mkpath(QStringLiteral("bin")));
        QVERIFY(QDir(katalog.path()).mkpath(QStringLiteral("share/symulator/podrecznik")));
        const QString podrecznik = katalog.filePath(QStringLiteral("share/symulator/podrecznik/"));
        for (const char* nazwa : {"podrecznik.md", "podrecznik.html"}) {
            ZapiszPlik(podrecznik + QLatin1String(nazwa), "#");
            o->adresy.clear();
            A("Menu_Pomoc_Podrecznik")->trigger();
            QCOMPARE(o->adresy,
                     QList<QUrl>{QUrl::fromLocalFile(
                         QFileInfo(podrecznik + QLatin1String(nazwa)).canonicalFilePath())});
        }
        QCOMPARE(o->okna.size(), 1);
    }

    void informacjeNaSrodkuEkranu() {
        f->AboutBox->move(3, 3);
        A("Menu_Pomoc_Informacje")->trigger();
        QCOMPARE(o->okna, QStringList{QStringLiteral("Informacje")});
        const QPoint srodek = QGuiApplication::primaryScreen()->geometry().center();
        QVERIFY((f->AboutBox->frameGeometry().center() - srodek).manhattanLength() <= 2);
        QCOMPARE(f->AboutBox->size(), QSize(342, 213));
        QCOMPARE((QStringList{f->AboutBox->ProductName->text(), f->AboutBox->Version->text(),
                              f->AboutBox->Label2->text()}),
                 (QStringList{"Symulator komputera dydaktycznego", "Wersja 1.00",
                              "Praca dyplomowa inżynierska"}));
        QVERIFY(f->AboutBox->OKButton->isDefault());
        QCOMPARE(f->AboutBox->OKButton->geometry(), QRect(134, 180, 75, 25));
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
        QCOMPARE(filtry, (QStringList{"Maszyna (*.mas)|Wszystkie pliki (*)|mas",
                                      "Maszyna (*.mas)|Wszystkie pliki (*)|",
                                      "Program (*.prg)|Wszystkie pliki (*)|prg",
                                      "Program (*.prg)|Wszystkie pliki (*)|",
                                      "Rozkazy (*.roz)|Wszystkie pliki (*)|roz",
                                      "Rozkazy (*.roz)|Wszystkie pliki (*)|"}));
        QCOMPARE(o->okna.size(), 6); // the file dialogs, no error box

        // A refused file is shown in a box and changes nothing; so is one that cannot be read.
        ZapiszPlik(plik, "1\r\nx\r\nopis\r\nabc\r\n");
        o->okna.clear();
        A("Menu_Rozkazy_Wczytaj")->trigger();
        QFile::remove(plik);
        A("Menu_Rozkazy_Wczytaj")->trigger();
        QCOMPARE(o->okna.size(), 4);
        QCOMPARE(o->okna[1],
                 QStringLiteral("Informacja|Nie można wczytać pliku rozkazów. Wiersz 4: \"abc\" "
                                "nie jest liczbą całkowitą "
                                "(kod rozkazu nr 1). Lista rozkazów nie została zmieniona."));
        QVERIFY(o->okna[3].startsWith(QStringLiteral("Informacja|Nie można otworzyć pliku")));
        QCOMPARE(s->ListaRozkazow.Count(), 7);
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
        ZapiszPlik(sciezka("zly.roz"), "1\r\nx\r\nopis\r\nabc\r\n");
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
            {"zly.roz", 3,
             "Informacja|Nie można wczytać pliku rozkazów. Wiersz 4: \"abc\" nie jest liczbą "
             "całkowitą "
             "(kod rozkazu nr 1). Lista rozkazów nie została zmieniona."},
            {"notatki.txt", 3,
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
        QCOMPARE(s->ListaRozkazow[1].Opis, std::string("koniec"));
        QVERIFY(s->Architektura.Jest(NumerSygnalu("wex")));
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
            stany << Dostepnosc().chopped(7);
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

    void wTrakciePrzebiegu() {
        // While a program runs, only Stop, the CPU's and the lower menus work; Ręcznie
        // and going back are refused, even when asked for directly; closing asks and a
        // "No" lets the run go on.
        Petla();
        TFrameMaszyna* m = f->FrameMaszyna1;
        m->SpeedButtonTakt->click();
        QCOMPARE(Dostepnosc().right(6), QStringLiteral("111111"));
        m->SpeedButtonProgram->click();
        QVERIFY(f->Przebieg->Trwa());
        QCOMPARE(Dostepnosc(),
                 QStringLiteral("0011 000001111 10001110 1111 111111 111111111 000000"));
        const std::size_t takty = s->Historia.Takty();
        f->Przebieg->TaktWstecz();
        QCOMPARE(s->Historia.Takty(), takty);
        QTest::mouseClick(m->SpeedButtonRecznie, Qt::LeftButton);
        A("Menu_Maszyna_Recznie")->trigger();
        QCOMPARE(s->StanPracy.TrybPracy, 2);
        f->close(); // answered No
        QVERIFY(f->isVisible() && f->Przebieg->Trwa() && !s->StanPracy.ZadanieStopu);
        QCOMPARE(o->okna.size(), 1);
        m->SpeedButtonStop->click();
        QTRY_COMPARE(s->StanPracy.TrybPracy, 0);
        QCOMPARE(Dostepnosc(),
                 QStringLiteral("0000 111111111 11111111 1111 111111 111111111 111111"));
    }

    // ---- keys ----

    void sekwencjaKlawiszy() {
        auto ctrl = [](QWidget* w, std::string_view litery) {
            for (char c : litery)
                QTest::keyClick(w, static_cast<Qt::Key>(c), Qt::ControlModifier);
        };
        ctrl(f, "PLOVE");
        QVERIFY(o->okna.isEmpty());
        ctrl(f, "R");
        QCOMPARE(o->okna,
                 QStringList{QStringLiteral("Symulator komputera dydaktycznego|Easter Egg!")});
        // Keys without Ctrl between the letters do not break it; a wrong key with Ctrl does.
        for (std::string_view c : {"P", "L", "O"}) {
            ctrl(f, c);
            QTest::keyClick(f, Qt::Key_A);
        }
        ctrl(f, "XVER");
        QCOMPARE(o->okna.size(), 1);
        // A key that a child ignores travels up to its parents; it counts once.
        ctrl(f->Image1, "PLOVER");
        QCOMPARE(o->okna.size(), 2);
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
        QCOMPARE(napisy(), (QStringList{"CPU", "Rozkaz", "About...", "Architektura", "Takt [F7]",
                                        "Wczytaj..."}));
        QVERIFY(A("Menu_Angielski")->isChecked() && !A("Menu_Polski")->isChecked());
        QCOMPARE(Dostepnosc(), stan);
        f->UstawJezyk(3);
        QCOMPARE(rozne(2), QStringList());
        A("Menu_Polski")->trigger();
        QCOMPARE(rozne(1), QStringList());
        QCOMPARE(napisy(), (QStringList{"JAL", "Rozkaz", "I&nformacje", "Architektura", "Takt [F7]",
                                        "Wczytaj..."}));
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
        QVERIFY(napis->isVisible() && r->SpeedButtonKompiluj->font().bold());
        QCOMPARE(napis->text(), QStringLiteral("Mikroprogram nieaktualny – Rozkazy › Kompiluj"));
        A("Menu_Angielski")->trigger();
        QCOMPARE(napis->text(), QStringLiteral("Microprogram out of date – Rozkazy › Compile"));
        A("Menu_Polski")->trigger();
        r->SpeedButtonKompiluj->click();
        QVERIFY(!napis->isVisible() && !r->SpeedButtonKompiluj->font().bold());
        // An instruction added is not compiled: stale until Rozkazy › Kompiluj.
        A("Menu_Rozkazy_Dodaj")->trigger();
        QVERIFY(napis->isVisible());
        A("Menu_Rozkazy_Kompiluj")->trigger();
        QVERIFY(!napis->isVisible());
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
        // A status tip goes to the second status panel.
        QStatusTipEvent podpowiedz(QStringLiteral("Zakończ pracę symulatora"));
        QApplication::sendEvent(f, &podpowiedz);
        QCOMPARE(f->Status(1), QStringLiteral("Zakończ pracę symulatora"));
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
        s->StanPracy.TrybPracy = 2; // as if a program ran
        for (const char* jezyk : {"Menu_Polski", "Menu_Angielski", "Menu_Polski"}) {
            A(jezyk)->trigger();
            A("Menu_Symulator_Zakoncz")->trigger();
        }
        QCOMPARE(pytania, (QStringList{"1 1 &Tak/&Nie", "1 1 &Yes/&No", "1 1 &Tak/&Nie"}));
        QCOMPARE(o->okna.first(), QStringLiteral("Symulator komputera dydaktycznego|"
                                                 "Czy chcesz zakończyć pracę symulatora?"));
        QVERIFY(f->isVisible() && !s->StanPracy.ZadanieStopu);
        o->odpowiedz = [](QDialog&) { return static_cast<int>(QMessageBox::Yes); };
        QVERIFY(f->close());
        QVERIFY(!f->isVisible() && s->StanPracy.ZadanieStopu);
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
        QStringList jest, ma;
        for (const auto& [panel, widok, wysokosc] : wiersze) {
            t.f.PokazPanel(panel);
            QApplication::processEvents();
            const auto* siatka = qobject_cast<const QTableView*>(widok);
            const int h = siatka ? siatka->rowHeight(0)
                                 : widok->visualRect(widok->model()->index(0, 0)).height();
            jest << widok->objectName() + QLatin1Char('=') + QString::number(h);
            ma << widok->objectName() + QLatin1Char('=') + QString::number(wysokosc);
        }
        QCOMPARE(jest, ma);
    }

    // ---- panels ----

    void odswiezanieTylkoPrzyZmianiePanelu() {
        f->UstawStatus(1, QStringLiteral("x"));
        f->PokazPanel(1); // already in front: no refresh
        QCOMPARE(f->Status(1), QStringLiteral("x"));
        M().WykonajMikrorozkaz("wyl wea");
        f->PokazPanel(4);
        QCOMPARE(f->Status(1), QStringLiteral(" ")); // OdswiezCPU writes the current text
        QVERIFY(f->SpeedButtonMaszyna->isChecked()); // not pressed by PokazPanel
        f->UstawStatus(1, QStringLiteral("x"));
        f->PokazPanel(6); // the debug panel has no refresh
        QCOMPARE(f->Status(1), QStringLiteral("x"));
        int widoczne = 0;
        for (int p = 1; p <= 8; ++p)
            widoczne += !f->Ramka(p)->isHidden();
        QCOMPARE(widoczne, 1);
        f->PokazPanel(9);
        f->PokazPanel(-1);
        QCOMPARE(f->WidocznyPanel(), 6);
    }

    void trybProstyUkrywaCztery() {
        f->SpeedButtonKonsola->click();
        // The CPU, Konsola, Debug and Punkty buttons, then the same menus.
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
        QVERIFY(f->SpeedButtonSimpleMode->isHidden());
        QCOMPARE(f->SpeedButtonSimpleMode->geometry().right(), f->PanelTop->width() - 5);
    }

    void splashZamykaSieDopieroPoZegarze() {
        TSplashScreen splash;
        QCOMPARE(splash.size(), QSize(276, 72));
        QCOMPARE(splash.Timer1->interval(), 500);
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
