#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSpinBox>
#include <QSplitter>
#include <QStringListModel>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>
#include <QToolButton>
#include <QTreeWidget>

#include <QPointer>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "Presety.h"
#include "Sterowanie.h"
#include "TFormArchitektura.h"
#include "TFormBreakpoint.h"
#include "TFormMain.h"
#include "TFrameBreakpoints.h"
#include "TFrameCPU.h"
#include "TFrameDebug.h"
#include "TFrameKonsola.h"
#include "TFrameMaszyna.h"
#include "TPrzebiegOkna.h"
#include "TSymulator.h"
#include "TestyUi.h"

namespace {

QListWidgetItem* Pozycja(QListWidget* lista, const QString& tekst) {
    const auto znalezione = lista->findItems(tekst, Qt::MatchExactly);
    return znalezione.isEmpty() ? nullptr : znalezione.first();
}

QStringList Linie(QListWidget* lista) {
    QStringList w;
    for (int i = 0; i < lista->count(); ++i)
        w << lista->item(i)->text();
    return w;
}

QStringList Linie(QListView* lista) {
    return static_cast<QStringListModel*>(lista->model())->stringList();
}

// The header row, then each row with its header: "naglowek|komorka|komorka".
QStringList Wiersze(const QTableWidget* t) {
    QStringList w{QString()};
    for (int k = 0; k < t->columnCount(); ++k)
        w[0] += QLatin1Char('|') + t->horizontalHeaderItem(k)->text();
    for (int r = 0; r < t->rowCount(); ++r) {
        w << t->verticalHeaderItem(r)->text();
        for (int k = 0; k < t->columnCount(); ++k)
            w.last() += QLatin1Char('|') + t->item(r, k)->text();
    }
    return w;
}

// Each row of a two-column list: "kolumna0|kolumna1".
QStringList Wiersze(const QTreeWidget* t) {
    QStringList w;
    for (int r = 0; r < t->topLevelItemCount(); ++r)
        w << t->topLevelItem(r)->text(0) + QLatin1Char('|') + t->topLevelItem(r)->text(1);
    return w;
}

// Per row, "1" where the list paints red pixels (the text is smoothed into the background).
QString Czerwone(QListWidget* lista) {
    QString w;
    for (int wiersz = 0; wiersz < lista->count(); ++wiersz) {
        // The rectangle first: it lays the items out, as the next paint would.
        const QRect r = lista->visualItemRect(lista->item(wiersz));
        const QImage obraz = lista->viewport()->grab().toImage();
        bool czerwony = false;
        for (int y = r.top(); y <= r.bottom(); ++y)
            for (int x = r.left(); x <= r.right() && x < obraz.width(); ++x)
                czerwony |= qRed(obraz.pixel(x, y)) > qGreen(obraz.pixel(x, y)) + 80 &&
                            qGreen(obraz.pixel(x, y)) == qBlue(obraz.pixel(x, y));
        w += QLatin1Char(czerwony ? '1' : '0');
    }
    return w;
}

// "1" for each widget the user sees.
QString Widoczne(std::initializer_list<const QWidget*> widzety) {
    QString w;
    for (const QWidget* x : widzety)
        w += QLatin1Char(x->isVisible() ? '1' : '0');
    return w;
}

// The main window as the user has it, with every modal box recorded and answered here.
struct TOknoP {
    TSymulator s;
    TFormMain f{s};
    QStringList okna;
    std::function<int(QDialog&)> odpowiedz; // none: "No" / cancel

    explicit TOknoP(const char* preset = "K") {
        s.ZastosujPreset(preset);
        f.WykonajModalnie = [this](QDialog& okno) {
            okna << Opis(okno);
            return odpowiedz ? odpowiedz(okno) : static_cast<int>(QMessageBox::No);
        };
        f.show();
    }
    TMaszyna& M() { return s.Maszyna; }
    void Zaladuj(const std::vector<std::string>& program) {
        s.KompilujProgram(program);
        M().Reset();
    }
    TFrameCPU* CPU() {
        f.SpeedButtonCPU->click();
        return f.FrameCPU1;
    }
    TFrameKonsola* Konsola() {
        f.SpeedButtonKonsola->click();
        return f.FrameKonsola1;
    }
    void Wybierz(const char* sygnal) {
        s.Architektura.Sygnaly[static_cast<std::size_t>(NumerSygnalu(sygnal))].Wybrany = true;
    }
};

// The listing `wysokosc` pixels high, the rest of the splitter below it.
void WysokoscListingu(TFrameCPU* cpu, int wysokosc) {
    const QList<int> rozmiary = cpu->Splitter1->sizes();
    cpu->Splitter1->setSizes({wysokosc, rozmiary[0] + rozmiary[1] - wysokosc});
}

} // namespace

class TestPaneliMaszyny : public QObject {
    Q_OBJECT

  private slots:
    // ---- the architecture dialog ----

    void architekturaPokazujeStanMaszyny() {
        TSymulator s;
        s.KompilujProgram({"org 9", "int2: stop", "int8: stop"});
        TFormArchitektura d(s);
        d.show();
        QCOMPARE(d.windowTitle(), QStringLiteral("Architektura"));
        QVERIFY(d.RadioButtony[0]->isChecked());
        QStringList napisy;
        for (QRadioButton* r : d.RadioButtony)
            napisy << r->text();
        for (int i = 0; i < d.PageControl1->count(); ++i)
            napisy << d.PageControl1->tabText(i);
        QCOMPARE(napisy, QStringList({"Maszyna K", "Maszyna K+", "Maszyna L", "Maszyna EK",
                                      "Maszyna Max", "Maszyna U", "Typ", "Adresy", "Sygnały"}));
        QCOMPARE(QList<int>({d.UpDownIleBityAdresowe->minimum(), d.UpDownIleBityAdresowe->maximum(),
                             d.UpDownIleBityKodu->minimum(), d.UpDownIleBityKodu->maximum()}),
                 QList<int>({5, 24, 3, 8}));
        QVERIFY(!d.UpDownIleBityAdresowe->wrapping());
        // The interrupt labels with their addresses, read-only; the two device addresses.
        QCOMPARE(d.StringGrid1->editTriggers(), QAbstractItemView::NoEditTriggers);
        QCOMPARE(Wiersze(d.StringGrid1),
                 QStringList({"|Etykieta|Adres", "Przerwanie nr 1|int1|0", "Przerwanie nr 2|int2|9",
                              "Przerwanie nr 3|int3|0", "Przerwanie nr 4|int4|0",
                              "Przerwanie nr 5|int5|0", "Przerwanie nr 6|int6|0",
                              "Przerwanie nr 7|int7|0", "Przerwanie nr 8|int8|10"}));
        QCOMPARE(Wiersze(d.StringGrid2),
                 QStringList({"|Adres", "Urządzenie wejściowe|1", "Urządzenie wyjściowe|2"}));
    }

    void architekturaZastosujMaxIBezResetu() {
        TSymulator s;
        TMaszyna& m = s.Maszyna;
        m.WstawKomorke(3, 1, 7, "110");
        m.UstawRejestr(Slot::AK, 9);
        s.Architektura.Rejestry[Slot::AK].Podstawa = 16;
        const std::string wiersz1 = s.PamiecMikroprogramu.Wiersz(1).Sygnaly;
        TFormArchitektura d(s);
        d.show();
        d.RadioButtony[4]->setChecked(true);
        d.UpDownIleBityAdresowe->setValue(8);
        d.UpDownIleBityKodu->setValue(4);
        QTest::mouseClick(d.BitBtnZastosuj, Qt::LeftButton);
        QCOMPARE(d.result(), int(QDialog::Accepted));
        QCOMPARE(QList<int>({m.BityAdresu(), m.BityKodu()}), QList<int>({8, 4}));
        QCOMPARE(LiczbaIstniejacychSygnalow(s.Architektura), 61);
        QCOMPARE(s.NazwaPresetu, std::string("Max"));
        // The program is gone and the bases are the default ones again; the machine is
        // neither reset nor its microprogram recompiled.
        QCOMPARE(m.PaO().Rozmiar(), std::size_t(0));
        QCOMPARE(s.Architektura.Rejestry[Slot::AK].Podstawa, 10);
        QCOMPARE(m.Wartosc(Slot::AK), 9u);
        QCOMPARE(s.PamiecMikroprogramu.Wiersz(1).Sygnaly, wiersz1);
        // "U" before its list was ever filled keeps the signals as they are.
        d.RadioButtony[5]->setChecked(true);
        d.BitBtnZastosujClick();
        QCOMPARE(s.NazwaPresetu, std::string("U"));
        QCOMPARE(LiczbaIstniejacychSygnalow(s.Architektura), 61);
    }

    void architekturaAnulujZachowujeMaszyneAleNiePolozenie() {
        TSymulator s;
        TFormArchitektura d(s);
        d.show();
        d.UpDownIleBityAdresowe->setValue(12);
        d.RadioButtony[2]->setChecked(true);
        QTest::mouseClick(d.BitBtnAnuluj, Qt::LeftButton);
        QCOMPARE(d.result(), int(QDialog::Rejected));
        QCOMPARE(s.Maszyna.BityAdresu(), 5);
        QCOMPARE(s.NazwaPresetu, std::string("K"));
        QCOMPARE(LiczbaIstniejacychSygnalow(s.Architektura), 17);
        // Reopened: the radio button follows the status name, the up-down stays moved.
        d.show();
        QVERIFY(d.RadioButtony[0]->isChecked());
        QCOMPARE(d.UpDownIleBityAdresowe->value(), 12);
        d.RadioButtony[2]->setChecked(true);
        QTest::mouseClick(d.BitBtnZastosuj, Qt::LeftButton);
        QCOMPARE(s.Maszyna.BityAdresu(), 12);
        QCOMPARE(s.NazwaPresetu, std::string("L"));
        d.show();
        QVERIFY(d.RadioButtony[2]->isChecked());
        d.reject();
    }

    void sygnalyWPieciuKolumnachIPresetU() {
        TSymulator s;
        TFormArchitektura d(s);
        d.show();
        QListWidget* l = d.CheckListBox1;
        QCOMPARE(l->count(), 0); // filled only when its tab shows
        d.PageControl1->setCurrentWidget(d.TabSheetSygnaly);
        QCOMPARE(l->count(), 61);
        QStringList nazwy;
        int zaznaczone = 0;
        for (int i = 0; i < l->count(); ++i) {
            nazwy << l->item(i)->text();
            zaznaczone += l->item(i)->checkState() == Qt::Checked;
        }
        QStringList posortowane = nazwy;
        posortowane.sort();
        QCOMPARE(nazwy, posortowane);
        QCOMPARE(nazwy.first() + QLatin1Char(' ') + nazwy.last(), QStringLiteral("and xor"));
        QCOMPARE(zaznaczone, 17);
        QCOMPARE(Pozycja(l, "dod")->checkState(), Qt::Checked);
        QCOMPARE(Pozycja(l, "wex")->checkState(), Qt::Unchecked);
        // Five columns of 13 rows: the 14th name starts the second one, all are in view.
        QCOMPARE(l->visualItemRect(l->item(12)).x(), l->visualItemRect(l->item(0)).x());
        QVERIFY(l->visualItemRect(l->item(13)).x() > l->visualItemRect(l->item(0)).x());
        QCOMPARE(l->visualItemRect(l->item(13)).y(), l->visualItemRect(l->item(0)).y());
        QVERIFY(l->viewport()->rect().contains(l->visualItemRect(l->item(60))));

        // "U" takes the ticks as they are.
        Pozycja(l, "stp")->setCheckState(Qt::Unchecked);
        Pozycja(l, "dod")->setCheckState(Qt::Unchecked);
        Pozycja(l, "wex")->setCheckState(Qt::Checked);
        Pozycja(l, "shl")->setCheckState(Qt::Checked);
        d.RadioButtony[5]->setChecked(true);
        d.BitBtnZastosujClick();
        const TArchitektura& a = s.Architektura;
        QCOMPARE(s.NazwaPresetu, std::string("U"));
        QVERIFY(a.Jest(NumerSygnalu("stp")) && !a.Jest(NumerSygnalu("dod")));
        QVERIFY(a.Jest(NumerSygnalu("wex")) && a.Jest(NumerSygnalu("shl")));
        QCOMPARE(LiczbaIstniejacychSygnalow(a), 18);
        // Reopened on the same tab: refilled from the architecture, "U" still chosen;
        // unticking the only X signal takes X away.
        d.show();
        QVERIFY(d.RadioButtony[5]->isChecked());
        QCOMPARE(Pozycja(l, "wex")->checkState(), Qt::Checked);
        Pozycja(l, "wex")->setCheckState(Qt::Unchecked);
        d.BitBtnZastosujClick();
        QVERIFY(!s.Architektura.Element(1));
    }

    // ---- the CPU panel ----

    void rejestryZeZnakamiZmianPoTakcie() {
        TOknoP t;
        t.Zaladuj({"pob liczba", "dod liczba", "stop", "liczba: rst 5"});
        TFrameCPU* cpu = t.CPU();
        cpu->OdswiezCPU();
        QCOMPARE(Linie(cpu->ListBoxRejestry),
                 QStringList({" L   0", " AK  0", " AD  0", " A   0", " S   0"}));
        QCOMPARE(Linie(cpu->ListBoxFlagi),
                 QStringList({"Z   0", "N   0", "NP  0", "NM  0", "INT 0", "PAK 1", "ZAK 1"}));
        QCOMPARE(Czerwone(cpu->ListBoxRejestry), QStringLiteral("00000"));
        // The fetch: L advances, I and S take the word 4 * 32 + 3; changed lines red.
        QTest::keyClick(&t.f, Qt::Key_F7);
        QCOMPARE(Linie(cpu->ListBoxRejestry),
                 QStringList({"+L   1", " AK  0", "+AD  3", " A   0", "+S   131"}));
        QCOMPARE(t.f.Status(1), QStringLiteral(" czyt wys wei il"));
        QCOMPARE(Czerwone(cpu->ListBoxRejestry), QStringLiteral("10101"));
        cpu->SpeedButtonTakt->click();
        QCOMPARE(Linie(cpu->ListBoxRejestry),
                 QStringList({" L   1", " AK  0", " AD  3", "+A   3", " S   131"}));
        QCOMPARE(Czerwone(cpu->ListBoxRejestry), QStringLiteral("00010"));
        cpu->SpeedButtonTakt->click();
        QCOMPARE(Linie(cpu->ListBoxRejestry).at(1), QStringLiteral("+AK  5"));
        QCOMPARE(Linie(cpu->ListBoxFlagi),
                 QStringList({"Z   0", "N   0", "NP  0", "NM  0", "INT 0", "PAK 0", "ZAK 0"}));
        // "Rozkaz" runs the next instruction through the shared loop.
        cpu->SpeedButtonRozkaz->click();
        QVERIFY(!t.f.Przebieg->Trwa());
        QCOMPARE(Linie(cpu->ListBoxRejestry).at(1), QStringLiteral("+AK  10"));
        QVERIFY(cpu->SpeedButtonStop->isHidden());
        // Reset: everything back to 0, the console is left alone.
        t.s.Konsola.UstawWejscie("ab");
        cpu->SpeedButtonReset->click();
        QCOMPARE(Linie(cpu->ListBoxRejestry),
                 QStringList({"+L   0", "+AK  0", "+AD  0", "+A   0", "+S   0"}));
        QCOMPARE(t.s.Konsola.Wejscie(), std::string("ab"));
    }

    void odswiezanieWTrakcieNieZostawiaPustejListy() {
        TOknoP t;
        t.Zaladuj({"a: dod jeden", "sob a", "jeden: rst 1"});
        TFrameCPU* cpu = t.CPU();
        WysokoscListingu(cpu, 238);
        t.f.Przebieg->OkresRysowania = std::chrono::milliseconds(0);
        // Each list as the next repaint would show it, right after the panel's refresh.
        auto puste = [&] {
            QString w;
            for (QAbstractItemView* lista : std::initializer_list<QAbstractItemView*>{
                     cpu->ListBoxPamiecProgram, cpu->ListBoxRejestry, cpu->ListBoxFlagi}) {
                const QImage obraz = lista->viewport()->grab().toImage();
                bool tekst = false;
                for (int y = 0; y < obraz.height() && !tekst; ++y)
                    for (int x = 0; x < obraz.width() && !tekst; ++x)
                        tekst = qGray(obraz.pixel(x, y)) < 100;
                w += QLatin1Char(tekst ? '0' : '1');
            }
            return w;
        };
        QStringList widziane;
        connect(t.f.Przebieg, &TPrzebiegOkna::ZmianaStanu, cpu, [&] {
            widziane << puste();
            if (widziane.size() == 5) t.f.Przebieg->Stop();
        });
        cpu->SpeedButtonProgram->click();
        QTRY_VERIFY(!t.f.Przebieg->Trwa());
        QVERIFY(widziane.size() >= 5);
        QCOMPARE(widziane.filter(QStringLiteral("1")), QStringList());
    }

    // ---- going back ----

    void wsteczPoTrzechTaktach() {
        TOknoP t;
        t.Zaladuj({"pob liczba", "dod liczba", "stop", "liczba: rst 5"});
        TFrameCPU* cpu = t.CPU();
        QAction* taktWstecz = t.f.Akcja(QStringLiteral("Menu_Maszyna_TaktWstecz"));
        QVERIFY(!cpu->SpeedButtonTaktWstecz->isEnabled() && !taktWstecz->isEnabled());
        QTest::keyClick(&t.f, Qt::Key_F7);
        QTest::keyClick(&t.f, Qt::Key_F7);
        const QString status = t.f.Status(1);
        const int wiersz = t.M().BiezacyWiersz();
        QTest::keyClick(&t.f, Qt::Key_F7);
        QVERIFY(cpu->SpeedButtonTaktWstecz->isEnabled() && taktWstecz->isEnabled());
        // Shift+F7: the state after two ticks, with the marks of the second.
        QTest::keyClick(&t.f, Qt::Key_F7, Qt::ShiftModifier);
        QCOMPARE(Linie(cpu->ListBoxRejestry),
                 QStringList({" L   1", " AK  0", " AD  3", "+A   3", " S   131"}));
        QCOMPARE(Czerwone(cpu->ListBoxRejestry), QStringLiteral("00010"));
        QCOMPARE(t.f.Status(1), status);
        QCOMPARE(t.M().BiezacyWiersz(), wiersz);
        // Shift+F8: back to the instruction's start, where nothing is left to undo.
        QTest::keyClick(&t.f, Qt::Key_F8, Qt::ShiftModifier);
        QCOMPARE(t.M().BiezacyWiersz(), -1);
        QCOMPARE(t.M().Wartosc(Slot::L), 0u);
        QVERIFY(!cpu->SpeedButtonRozkazWstecz->isEnabled());
        QVERIFY(!t.f.Akcja(QStringLiteral("Menu_Maszyna_RozkazWstecz"))->isEnabled());
    }

    void wsteczPokazujeKomunikatyTaktu() {
        TOknoP t;
        t.s.StanPracy.TrybPracy = 1;
        t.f.UstawDostepnosc();
        t.Wybierz("wel"); // from the empty bus: a message
        QTest::keyClick(&t.f, Qt::Key_F7);
        t.Wybierz("il");
        QTest::keyClick(&t.f, Qt::Key_F7);
        QCOMPARE(t.f.FrameMaszyna1->ListBox1->count(), 0);
        QCOMPARE(t.M().Wartosc(Slot::L), 1u);
        t.f.SpeedButtonCPU->click();
        t.f.Akcja(QStringLiteral("Menu_Maszyna_TaktWstecz"))->trigger();
        QCOMPARE(t.f.WidocznyPanel(), 1);
        QCOMPARE(t.M().Wartosc(Slot::L), 0u);
        QCOMPARE(t.f.FrameMaszyna1->ListBox1->count(), 1);
        QCOMPARE(t.f.FrameMaszyna1->ListBox1->item(0)->text(),
                 QStringLiteral("WEL - Próba odczytu z pustej magistrali adresowej A"));
        QCOMPARE(t.f.Status(1), QStringLiteral(" wel "));
    }

    void wsteczNiewDostepnePodczasPrzebiegu() {
        TOknoP t;
        t.Zaladuj({"a: sob a"});
        t.f.FrameMaszyna1->SpeedButtonTakt->click();
        QVERIFY(t.f.FrameMaszyna1->SpeedButtonTaktWstecz->isEnabled());
        t.f.FrameMaszyna1->SpeedButtonProgram->click();
        QVERIFY(t.f.Przebieg->Trwa());
        for (QToolButton* b :
             {t.f.FrameMaszyna1->SpeedButtonTaktWstecz, t.f.FrameMaszyna1->SpeedButtonRozkazWstecz,
              t.f.FrameCPU1->SpeedButtonTaktWstecz, t.f.FrameCPU1->SpeedButtonRozkazWstecz})
            QVERIFY(!b->isEnabled());
        QVERIFY(!t.f.Akcja(QStringLiteral("Menu_Maszyna_TaktWstecz"))->isEnabled());
        const std::size_t takty = t.s.Historia.Takty();
        t.f.Przebieg->TaktWstecz(); // refused, even when called directly
        QCOMPARE(t.s.Historia.Takty(), takty);
        t.f.FrameMaszyna1->SpeedButtonStop->click();
        QVERIFY(t.f.FrameMaszyna1->SpeedButtonTaktWstecz->isEnabled());
    }

    void listingDlaPieciuBitowAdresu() {
        TOknoP t;
        t.Zaladuj({"pob liczba", "dod liczba", "stop", "liczba: rst 5", "org 30", "rpa"});
        t.s.ListaRozkazow.UsunWszystkie();
        t.s.ListaRozkazow.UstawStandardowe();
        TFrameCPU* cpu = t.CPU();
        WysokoscListingu(cpu, 238);
        QCOMPARE(cpu->ListBoxPamiecProgram->viewport()->height(), 238);
        QCOMPARE(cpu->WidoczneWiersze(), 14);
        QCOMPARE(cpu->ScrollBar1->maximum(), 18);
        QStringList linie = Linie(cpu->ListBoxPamiecProgram);
        QCOMPARE(linie.size(), 14);
        // After a reset every register points at 0.
        QCOMPARE(linie.mid(0, 5),
                 QStringList({"LXYZUVASADAK  0x00  4 3  pob 3", "              0x01  1 3  dod 3",
                              "              0x02  0 0  stop", "              0x03  0 5  stop",
                              "              0x04  <??\?>  <unknown>"}));
        cpu->ScrollBar1->setValue(18);
        linie = Linie(cpu->ListBoxPamiecProgram);
        QCOMPARE(linie.size(), 14);
        QVERIFY(linie.first().contains(QLatin1String("0x12")));
        QVERIFY(linie.last().contains(QLatin1String("0x1F")));
        QCOMPARE(linie[12], QStringLiteral("              0x1E  0 0  stop"));
        // Marks follow their registers, and a code no instruction has is unknown.
        t.M().UstawRejestr(Slot::AK, 0x1F);
        t.M().UstawRejestr(Slot::X, 0x1F);
        t.M().WstawKomorke(0x1F, 7, 2, "110");
        cpu->OdswiezPamiec();
        QCOMPARE(Linie(cpu->ListBoxPamiecProgram).last(),
                 QStringLiteral(" X        AK  0x1F  7 2  <unknown>"));
        // Taller than the whole memory: every address, nothing to scroll.
        t.f.resize(750, 1000);
        QTest::qWait(0);
        WysokoscListingu(cpu, cpu->Splitter1->height() - 10);
        QVERIFY(cpu->WidoczneWiersze() > 32);
        QCOMPARE(QList<int>({cpu->ScrollBar1->maximum(), cpu->ScrollBar1->value()}),
                 QList<int>({0, 0}));
        QCOMPARE(Linie(cpu->ListBoxPamiecProgram).size(), 32);
    }

    void listingDla24BitowAdresuIDwochArgumentow() {
        TOknoP t;
        t.M().UstawSzerokosci(24, 3);
        t.s.ListaRozkazow[t.s.ListaRozkazow.ZnajdzKod(1)].LiczbaArgumentow = 2;
        t.M().WstawKomorke(0xABCDEF, 1, 20, "110");
        TFrameCPU* cpu = t.CPU();
        WysokoscListingu(cpu, 238);
        QCOMPARE(cpu->ScrollBar1->maximum(), (1 << 24) - 14);
        QCOMPARE(Linie(cpu->ListBoxPamiecProgram).first(),
                 QStringLiteral("LXYZUVASADAK  0x000000  <??\?>  <unknown>"));
        cpu->ScrollBar1->setValue(0xABCDEF);
        QCOMPARE(Linie(cpu->ListBoxPamiecProgram).first(),
                 QStringLiteral("              0xABCDEF  1 20  dod 20 ..."));
        cpu->ScrollBar1->setValue(cpu->ScrollBar1->maximum());
        QVERIFY(Linie(cpu->ListBoxPamiecProgram).last().contains(QLatin1String("0xFFFFFF")));
        // Narrower again: the position comes down to the new maximum.
        t.M().UstawSzerokosci(5, 3);
        cpu->OdswiezCPU();
        QCOMPARE(cpu->ScrollBar1->value(), 18);
        QVERIFY(Linie(cpu->ListBoxPamiecProgram).last().contains(QLatin1String("0x1F")));
    }

    // ---- the console ----

    void konsolaCzesciWedlugArchitektury() {
        TOknoP t;
        TFrameKonsola* k = t.Konsola();
        // The last letter is the note shown when the machine has none of the parts.
        auto czesci = [&] { return Widoczne({k->Panel_IRQ, k->Memo1, k->Edit1, k->LabelBrak}); };
        QCOMPARE(czesci(), QStringLiteral("0001"));
        t.s.ZastosujPreset("EK");
        k->PokazKonsole();
        QCOMPARE(czesci(), QStringLiteral("1110"));
        // A machine that only prints ("werb"): its output shows, there is nothing to type.
        ZastosujPresetU(t.s.Architektura, {{"wyrb", false}, {"start", true}});
        k->PokazKonsole();
        QCOMPARE(czesci(), QStringLiteral("1100"));
        ZastosujPresetU(t.s.Architektura, {{"wyrb", true}, {"werb", false}});
        k->PokazKonsole();
        QCOMPARE(czesci(), QStringLiteral("1010"));
    }

    void przyciskiIRQZglaszajaPrzerwania() {
        TOknoP t("L");
        TFrameKonsola* k = t.Konsola();
        QCOMPARE(k->SpeedButtonIRQ[1]->objectName(), QStringLiteral("SpeedButton1"));
        QStringList napisy;
        QList<std::uint32_t> rz;
        for (int i = 1; i <= 8; ++i) {
            napisy << k->SpeedButtonIRQ[i]->text();
            QTest::mouseClick(k->SpeedButtonIRQ[i], Qt::LeftButton);
            rz << t.M().Wartosc(Slot::RZ);
        }
        QCOMPARE(napisy, QStringList({"8", "7", "6", "5", "4", "3", "2", "1"}));
        QCOMPARE(rz, QList<std::uint32_t>({0x80, 0xC0, 0xE0, 0xF0, 0xF8, 0xFC, 0xFE, 0xFF}));
    }

    void wpisanieZnakuKonczyStart() {
        TOknoP t("EK");
        TFrameKonsola* k = t.Konsola();
        // A manual "start" on the input device finds the line empty; a typed key completes it.
        t.M().UstawRejestr(Slot::AD, 1);
        t.Wybierz("start");
        PolecenieTakt(t.M(), true);
        k->Edit1->setFocus();
        QTest::keyClicks(k->Edit1, "x");
        QCOMPARE(t.M().Wartosc(Slot::RB_wy), 120u);
        QCOMPARE(k->Edit1->text(), QString());
        QCOMPARE(t.s.Konsola.Wejscie(), std::string());
        // The "start" is done: more typing stays in the line.
        QTest::keyClicks(k->Edit1, "yz");
        QCOMPARE(k->Edit1->text(), QStringLiteral("yz"));
        QCOMPARE(t.s.Konsola.Wejscie(), std::string("yz"));
        QCOMPARE(t.M().Wartosc(Slot::RB_wy), 120u);
        // "Wyczyść" empties both texts.
        t.s.Konsola.Wypisz('A');
        k->OdswiezTeksty();
        QCOMPARE(k->Memo1->toPlainText(), QStringLiteral("A"));
        QTest::mouseClick(k->SpeedButtonWyczysc, Qt::LeftButton);
        QCOMPARE(k->Memo1->toPlainText() + k->Edit1->text(), QString());
        QCOMPARE(t.s.Konsola.Wejscie(), std::string());
    }

    void znakiZabraneWTrakcieNieWracaja() {
        TOknoP t("EK");
        TFrameKonsola* k = t.Konsola();
        QTest::keyClicks(k->Edit1, "abc");
        QCOMPARE(t.s.Konsola.Wejscie(), std::string("abc"));
        // A slice of a run takes "a" before the line is shown again; the user types on.
        QCOMPARE(t.s.Konsola.PobierzZnak(), std::uint8_t('a'));
        QTest::keyClicks(k->Edit1, "d");
        QCOMPARE(t.s.Konsola.Wejscie(), std::string("bcd"));
        QCOMPARE(k->Edit1->text(), QStringLiteral("bcd"));
        QCOMPARE(k->Edit1->cursorPosition(), 3);
    }

    void wyjscieDopisywaneWTrakcie() {
        TOknoP t("EK");
        TFrameKonsola* k = t.Konsola();
        // The output device prints through "start" with AD = 2.
        auto wypisz = [&](std::initializer_list<std::uint32_t> kody) {
            for (std::uint32_t kod : kody) {
                t.M().UstawRejestr(Slot::AD, 2);
                t.M().UstawRejestr(Slot::RB_we, kod);
                t.M().Przeslanie();
            }
        };
        wypisz({'A', 'B'});
        QTRY_COMPARE(k->Memo1->toPlainText(), QStringLiteral("AB"));
        wypisz({13, 'C'});
        QTRY_COMPARE(k->Memo1->toPlainText(), QStringLiteral("AB\nC"));
        t.s.Konsola.Wyczysc();
        wypisz({'D'});
        QTRY_COMPARE(k->Memo1->toPlainText(), QStringLiteral("D"));
    }

    // ---- breakpoints and the debug log ----

    void punktZDialoguZatrzymujeProgramIJestWLogu() {
        TOknoP t;
        t.Zaladuj({"pob zero", "p: dod jeden", "sob p", "zero: rst 0", "jeden: rst 1"});
        t.f.SpeedButtonBreakpoints->click();
        TFrameBreakpoints* b = t.f.FrameBreakpoints1;
        t.odpowiedz = [](QDialog& okno) {
            auto* d = qobject_cast<TFormBreakpoint*>(&okno);
            if (!d) return int(QMessageBox::No);
            d->show(); // the accumulator, equal to
            d->EditWartosc1->setText("5");
            QTest::mouseClick(d->BitBtnZastosuj, Qt::LeftButton);
            return d->result();
        };
        QTest::mouseClick(b->SpeedButtonDodaj, Qt::LeftButton);
        QCOMPARE(t.okna, QStringList({"Punkty Zatrzymania"}));
        QCOMPARE(Wiersze(b->ListViewPunkty), QStringList({"1|Akumulator AK równa się 5"}));
        QCOMPARE(b->ListViewPunkty->columnWidth(0), 0);
        QCOMPARE(b->ListViewPunkty->headerItem()->text(1), QStringLiteral("Warunek"));

        TFrameCPU* cpu = t.CPU();
        cpu->SpeedButtonProgram->click();
        QTRY_VERIFY(!t.f.Przebieg->Trwa());
        QCOMPARE(t.M().Wartosc(Slot::AK), 5u);
        QVERIFY(cpu->SpeedButtonStop->isHidden());
        QCOMPARE(Linie(cpu->ListBoxRejestry).at(1), QStringLiteral("+AK  5"));
        QVERIFY(t.f.SpeedButtonDebug->font().bold());
        QCOMPARE(t.f.SpeedButtonDebug->palette().color(QPalette::ButtonText), QColor(Qt::red));
        t.f.SpeedButtonDebug->click();
        QCOMPARE(t.f.FrameDebug1->MemoDebug->toPlainText(),
                 QStringLiteral("Breakpoint 1 OK = Akumulator AK równa się 5"));

        // Ignored, the same breakpoint lets the program run on.
        t.f.SpeedButtonBreakpoints->click();
        b->CheckBoxIgnoruj->click();
        QVERIFY(t.s.PunktyZatrzymania.Ignoruj);
        cpu = t.CPU();
        cpu->SpeedButtonRozkaz->click();
        cpu->SpeedButtonRozkaz->click();
        QCOMPARE(t.s.Dziennik.Linie().size(), std::size_t(1));
    }

    void logDwaKomunikatyIWyczysc() {
        TOknoP t;
        t.f.SpeedButtonDebug->click();
        TFrameDebug* d = t.f.FrameDebug1;
        // Reading two empty buses: two messages in one tick.
        t.Wybierz("wea");
        t.Wybierz("wes");
        PolecenieTakt(t.M(), true);
        QTRY_COMPARE(d->MemoDebug->toPlainText(),
                     QStringLiteral("WEA - Próba odczytu z pustej magistrali adresowej A\n"
                                    "WES - Próba odczytu z pustej magistrali słowowej S"));
        QTest::mouseClick(d->SpeedButtonWyczysc, Qt::LeftButton);
        QCOMPARE(d->MemoDebug->toPlainText(), QString());
        // The labels of the last assembly, in their list.
        t.s.KompilujProgram({"start: stop", "dane: rst 4"});
        t.f.SpeedButtonMaszyna->click();
        t.f.SpeedButtonDebug->click();
        QCOMPARE(Wiersze(d->ListViewEtykiety), QStringList({"start|0", "dane|1"}));
    }

    void usuwaniePunktow() {
        TOknoP t;
        std::string blad;
        for (int w : {1, 2, 3}) {
            TPunktZatrzymania p;
            p.Wartosc1 = w;
            QVERIFY(t.s.PunktyZatrzymania.DodajPunkt(p, blad));
        }
        t.f.SpeedButtonBreakpoints->click();
        QTreeWidget* punkty = t.f.FrameBreakpoints1->ListViewPunkty;
        QToolButton* usun = t.f.FrameBreakpoints1->SpeedButtonUsun;
        QCOMPARE(punkty->topLevelItemCount(), 3);
        usun->click();
        punkty->topLevelItem(0)->setSelected(true);
        usun->click(); // answered No
        QCOMPARE(t.okna, QStringList({"Informacja|Zaznacz punkt zatrzymania do usunięcia!",
                                      "Pytanie|Usunąć punkt zatrzymania?"}));
        QCOMPARE(t.s.PunktyZatrzymania.Count(), 3);
        t.odpowiedz = [](QDialog& okno) {
            auto* box = qobject_cast<QMessageBox*>(&okno);
            // Asked the way the user sees it: a question, No the default.
            return box && box->icon() == QMessageBox::Question &&
                           box->defaultButton() == box->button(QMessageBox::No)
                       ? int(QMessageBox::Yes)
                       : int(QMessageBox::No);
        };
        punkty->topLevelItem(0)->setSelected(true);
        usun->click();
        QCOMPARE(Wiersze(punkty),
                 QStringList({"1|Akumulator AK równa się 3", "2|Akumulator AK równa się 2"}));
    }

    void punktPonadLimitOdrzuconyZKomunikatem() {
        TOknoP t;
        std::string blad;
        for (int k = 0; k < TPunktyZatrzymania::MaksPunktow; ++k)
            QVERIFY(t.s.PunktyZatrzymania.DodajPunkt(TPunktZatrzymania{}, blad));
        t.f.SpeedButtonBreakpoints->click();
        t.odpowiedz = [](QDialog& okno) {
            return qobject_cast<TFormBreakpoint*>(&okno) ? int(QDialog::Accepted)
                                                         : int(QMessageBox::Ok);
        };
        t.f.FrameBreakpoints1->SpeedButtonDodaj->click();
        QCOMPARE(t.okna, QStringList({"Punkty Zatrzymania",
                                      "Informacja|Nie można dodać punktu zatrzymania: lista "
                                      "mieści najwyżej 1024 punktów."}));
        QCOMPARE(t.s.PunktyZatrzymania.Count(), 1024);
        QCOMPARE(t.f.FrameBreakpoints1->ListViewPunkty->topLevelItemCount(), 1024);
    }

    // ---- the architecture dialog from the main window ----

    void architekturaZMenuOdswiezaPanele() {
        TOknoP t;
        t.Zaladuj({"pob liczba", "stop", "liczba: rst 5"});
        TFrameKonsola* k = t.Konsola();
        QCOMPARE(Widoczne({k->Edit1, k->Memo1, k->Panel_IRQ}), QStringLiteral("000"));
        t.odpowiedz = [](QDialog& okno) {
            auto* d = qobject_cast<TFormArchitektura*>(&okno);
            if (!d) return 0;
            d->show();
            d->RadioButtony[3]->setChecked(true);
            d->UpDownIleBityAdresowe->setValue(6);
            QTest::mouseClick(d->BitBtnZastosuj, Qt::LeftButton);
            return d->result();
        };
        t.f.Akcja(QStringLiteral("Menu_Symulator_Architektura"))->trigger();
        QCOMPARE(t.okna, QStringList({"Architektura"}));
        QCOMPARE(t.f.Status(0), QStringLiteral("EK"));
        QCOMPARE(t.M().BityAdresu(), 6);
        QCOMPARE(Widoczne({k->Edit1, k->Memo1, k->Panel_IRQ}), QStringLiteral("111"));
        // PaO is empty, which the listing already shows.
        QCOMPARE(Linie(t.f.FrameCPU1->ListBoxPamiecProgram).first(),
                 QStringLiteral("LXYZUVASADAK  0x00  <??\?>  <unknown>"));

        // Cancelled: nothing changes, the same dialog comes back with its positions.
        QPointer<QDialog> pierwszy = t.f.FormArchitektura;
        t.odpowiedz = [](QDialog& okno) {
            auto* d = qobject_cast<TFormArchitektura*>(&okno);
            d->show();
            if (!d->RadioButtony[3]->isChecked() || d->UpDownIleBityAdresowe->value() != 6)
                return 0;
            d->RadioButtony[0]->setChecked(true);
            d->UpDownIleBityKodu->setValue(8);
            QTest::mouseClick(d->BitBtnAnuluj, Qt::LeftButton);
            return d->result();
        };
        t.f.Architektura2->trigger();
        QCOMPARE(t.f.FormArchitektura, pierwszy);
        QCOMPARE(t.f.FormArchitektura->result(), int(QDialog::Rejected));
        QCOMPARE(t.M().BityKodu(), 3);
        QCOMPARE(t.f.Status(0), QStringLiteral("EK"));
        QCOMPARE(LiczbaIstniejacychSygnalow(t.s.Architektura), 33);
    }

    // ---- the breakpoint dialog ----

    void punktDialogPolaIRekord() {
        TFormBreakpoint d;
        d.show();
        QCOMPARE(d.windowTitle(), QStringLiteral("Punkty Zatrzymania"));
        QCOMPARE(QList<int>({d.ComboBoxCo->count(), d.ComboBoxRelacja->count()}),
                 QList<int>({21, 7}));
        QCOMPARE(d.ComboBoxCo->itemText(7), QStringLiteral("Komórka pamięci (PaO)"));
        QCOMPARE(d.ComboBoxRelacja->itemText(6), QStringLiteral("zawiera się w przedziale"));
        QVERIFY(!d.ComboBoxCo->isEditable());
        // The address with a memory cell, the second value with a range.
        auto pola = [&] { return Widoczne({d.EditWartosc1, d.EditWartosc2, d.EditAdres}); };
        QCOMPARE(pola(), QStringLiteral("100"));
        d.ComboBoxCo->setCurrentIndex(7);
        QCOMPARE(pola(), QStringLiteral("101"));
        d.ComboBoxCo->setCurrentIndex(8);
        QCOMPARE(pola(), QStringLiteral("100"));
        d.ComboBoxRelacja->setCurrentIndex(6);
        QCOMPARE(pola(), QStringLiteral("110"));
        d.ComboBoxRelacja->setCurrentIndex(2);
        QCOMPARE(pola(), QStringLiteral("100"));
        // Shown again: everything back to its start.
        d.EditWartosc1->setText("12");
        d.ComboBoxCo->setCurrentIndex(7);
        d.hide();
        d.show();
        QCOMPARE(QList<int>({d.ComboBoxCo->currentIndex(), d.ComboBoxRelacja->currentIndex()}),
                 QList<int>({0, 0}));
        QCOMPARE(pola(), QStringLiteral("100"));
        for (QLineEdit* p : {d.EditWartosc1, d.EditWartosc2, d.EditAdres})
            QCOMPARE(p->text(), QStringLiteral("0"));

        // The record read from the fields; hidden ones are read as well, and what is no
        // integer is 0.
        d.ComboBoxCo->setCurrentIndex(7);
        d.ComboBoxRelacja->setCurrentIndex(6);
        d.EditAdres->setText("20");
        d.EditWartosc1->setText("-3");
        d.EditWartosc2->setText("$1F");
        auto rekord = [&] {
            const TPunktZatrzymania p = d.Punkt();
            return QList<int>({p.Co, p.Relacja, p.AdresKomorki, p.Wartosc1, p.Wartosc2});
        };
        QCOMPARE(rekord(), QList<int>({7, 6, 20, -3, 31}));
        d.ComboBoxCo->setCurrentIndex(0);
        d.ComboBoxRelacja->setCurrentIndex(0);
        d.EditWartosc1->setText("abc");
        QCOMPARE(rekord(), QList<int>({0, 0, 20, 0, 31}));
        QList<int> liczby;
        for (const char* tekst : {"2147483648", "-2147483648", " 7 ", "0x10", "--1", "5x", ""})
            liczby << LiczbaPola(QLatin1String(tekst));
        QCOMPARE(liczby, QList<int>({0, -2147483647 - 1, 7, 16, 0, 0, 0}));
    }
};

std::unique_ptr<QObject> TestyPaneliMaszyny() {
    return std::make_unique<TestPaneliMaszyny>();
}

#include "test_panele_maszyny.moc"
