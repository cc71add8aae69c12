#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
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
#include "TPrzebiegOkna.h"
#include "TSymulator.h"
#include "TestyUi.h"

namespace {

QListWidgetItem* Pozycja(QListWidget* lista, const QString& tekst) {
    const auto znalezione = lista->findItems(tekst, Qt::MatchExactly);
    return znalezione.isEmpty() ? nullptr : znalezione.first();
}

std::vector<int> Elementy(const TArchitektura& a) {
    std::vector<int> w;
    for (int e = 0; e < LiczbaElementow; ++e)
        if (a.Element(e)) w.push_back(e);
    return w;
}

// What the user would read on a modal box or dialog.
QString Opis(QDialog& okno) {
    if (auto* box = qobject_cast<QMessageBox*>(&okno))
        return box->windowTitle() + QLatin1Char('|') + box->text();
    return okno.windowTitle();
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

// Red pixels (the text is smoothed into the background) the list paints in the row of `wiersz`.
int CzerwonePiksele(QListWidget* lista, int wiersz) {
    // The rectangle first: it lays the items out, as the next paint would.
    const QRect r = lista->visualItemRect(lista->item(wiersz));
    const QImage obraz = lista->viewport()->grab().toImage();
    int n = 0;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right() && x < obraz.width(); ++x)
            n += qRed(obraz.pixel(x, y)) > qGreen(obraz.pixel(x, y)) + 80 &&
                 qGreen(obraz.pixel(x, y)) == qBlue(obraz.pixel(x, y));
    return n;
}

// The main window as the user has it, with every modal box recorded and answered here.
struct TOkno {
    TSymulator s;
    TFormMain f{s};
    QStringList okna;
    std::function<int(QDialog&)> odpowiedz; // none: "No" / cancel

    TOkno() {
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
        QStringList radia;
        for (QRadioButton* r : d.RadioButtony)
            radia << r->text();
        QCOMPARE(radia, QStringList({"Maszyna K", "Maszyna K+", "Maszyna L", "Maszyna EK",
                                     "Maszyna Max", "Maszyna U"}));
        QStringList zakladki;
        for (int i = 0; i < d.PageControl1->count(); ++i)
            zakladki << d.PageControl1->tabText(i);
        QCOMPARE(zakladki, QStringList({"Typ", "Adresy", "Sygnały"}));
        QCOMPARE(d.UpDownIleBityAdresowe->minimum(), 5);
        QCOMPARE(d.UpDownIleBityAdresowe->maximum(), 24);
        QCOMPARE(d.UpDownIleBityKodu->minimum(), 3);
        QCOMPARE(d.UpDownIleBityKodu->maximum(), 8);
        QVERIFY(!d.UpDownIleBityAdresowe->wrapping());

        QCOMPARE(d.StringGrid1->rowCount(), 8);
        QCOMPARE(d.StringGrid1->horizontalHeaderItem(0)->text(), QStringLiteral("Etykieta"));
        QCOMPARE(d.StringGrid1->horizontalHeaderItem(1)->text(), QStringLiteral("Adres"));
        QCOMPARE(d.StringGrid1->verticalHeaderItem(1)->text(), QStringLiteral("Przerwanie nr 2"));
        QCOMPARE(d.StringGrid1->item(1, 0)->text(), QStringLiteral("int2"));
        QCOMPARE(d.StringGrid1->item(1, 1)->text(), QStringLiteral("9"));
        QCOMPARE(d.StringGrid1->item(7, 1)->text(), QStringLiteral("10"));
        QCOMPARE(d.StringGrid1->item(0, 1)->text(), QStringLiteral("0"));
        QCOMPARE(d.StringGrid1->editTriggers(), QAbstractItemView::NoEditTriggers);
        QCOMPARE(d.StringGrid2->verticalHeaderItem(0)->text(),
                 QStringLiteral("Urządzenie wejściowe"));
        QCOMPARE(d.StringGrid2->verticalHeaderItem(1)->text(),
                 QStringLiteral("Urządzenie wyjściowe"));
        QCOMPARE(d.StringGrid2->item(0, 0)->text(), QStringLiteral("1"));
        QCOMPARE(d.StringGrid2->item(1, 0)->text(), QStringLiteral("2"));
    }

    void architekturaZastosujMaxIBezResetu() {
        TSymulator s;
        TMaszyna& m = s.Maszyna;
        m.WstawKomorke(3, 1, 7, "110");
        m.UstawRejestr(Slot::AK, 9);
        const std::string wiersz1 = s.PamiecMikroprogramu.Wiersz(1).Sygnaly;
        TFormArchitektura d(s);
        d.show();
        d.RadioButtony[4]->setChecked(true);
        d.UpDownIleBityAdresowe->setValue(8);
        d.UpDownIleBityKodu->setValue(4);
        QTest::mouseClick(d.BitBtnZastosuj, Qt::LeftButton);
        QCOMPARE(d.result(), int(QDialog::Accepted));
        QVERIFY(!d.isVisible());
        QCOMPARE(m.BityAdresu(), 8);
        QCOMPARE(m.BityKodu(), 4);
        QCOMPARE(m.BitySlowa(), 12);
        QCOMPARE(LiczbaIstniejacychSygnalow(s.Architektura), 61);
        QCOMPARE(Elementy(s.Architektura).size(), std::size_t(14));
        QCOMPARE(s.NazwaPresetu, std::string("Max"));
        QCOMPARE(m.PaO().Rozmiar(), std::size_t(0));
        QCOMPARE(m.CzytajPaO(3), 0u);
        // Neither reset nor recompiled.
        QCOMPARE(m.Wartosc(Slot::AK), 9u);
        QCOMPARE(s.PamiecMikroprogramu.Wiersz(1).Sygnaly, wiersz1);
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
        QCOMPARE(Elementy(s.Architektura), std::vector<int>({0, 7, 8, 9, 10, 13}));
        d.show();
        QVERIFY(d.RadioButtony[2]->isChecked());
        d.reject();
    }

    void architekturaZastosujPrzywracaDomyslneRejestry() {
        TSymulator s;
        s.Architektura.Rejestry[Slot::AK].Podstawa = 16;
        TFormArchitektura d(s);
        d.show();
        d.BitBtnZastosujClick();
        QCOMPARE(s.Architektura.Rejestry[Slot::AK].Podstawa, 10);
    }

    void sygnalyPosortowaneWPieciuKolumnach() {
        TSymulator s;
        TFormArchitektura d(s);
        d.show();
        QCOMPARE(d.CheckListBox1->count(), 0);
        d.PageControl1->setCurrentWidget(d.TabSheetSygnaly);
        QCOMPARE(d.CheckListBox1->count(), 61);
        QStringList nazwy;
        int zaznaczone = 0;
        for (int i = 0; i < d.CheckListBox1->count(); ++i) {
            nazwy << d.CheckListBox1->item(i)->text();
            zaznaczone += d.CheckListBox1->item(i)->checkState() == Qt::Checked;
        }
        QStringList posortowane = nazwy;
        posortowane.sort();
        QCOMPARE(nazwy, posortowane);
        QCOMPARE(nazwy.first(), QStringLiteral("and"));
        QCOMPARE(nazwy.last(), QStringLiteral("xor"));
        QCOMPARE(zaznaczone, 17);
        QCOMPARE(Pozycja(d.CheckListBox1, "dod")->checkState(), Qt::Checked);
        QCOMPARE(Pozycja(d.CheckListBox1, "wex")->checkState(), Qt::Unchecked);
        // Five columns of 13 rows: the 14th name starts the second one, all are in view.
        QCOMPARE(d.CheckListBox1->flow(), QListView::TopToBottom);
        QListWidget* l = d.CheckListBox1;
        QCOMPARE(l->visualItemRect(l->item(12)).x(), l->visualItemRect(l->item(0)).x());
        QVERIFY(l->visualItemRect(l->item(13)).x() > l->visualItemRect(l->item(0)).x());
        QCOMPARE(l->visualItemRect(l->item(13)).y(), l->visualItemRect(l->item(0)).y());
        QVERIFY(l->viewport()->rect().contains(l->visualItemRect(l->item(60))));
        d.reject();
    }

    void presetUZZaznaczonychSygnalow() {
        TSymulator s;
        TFormArchitektura d(s);
        d.show();
        d.PageControl1->setCurrentWidget(d.TabSheetSygnaly);
        Pozycja(d.CheckListBox1, "stp")->setCheckState(Qt::Unchecked);
        Pozycja(d.CheckListBox1, "dod")->setCheckState(Qt::Unchecked);
        Pozycja(d.CheckListBox1, "wex")->setCheckState(Qt::Checked);
        Pozycja(d.CheckListBox1, "shl")->setCheckState(Qt::Checked);
        d.RadioButtony[5]->setChecked(true);
        d.BitBtnZastosujClick();
        const TArchitektura& a = s.Architektura;
        QCOMPARE(s.NazwaPresetu, std::string("U"));
        QVERIFY(a.Jest(NumerSygnalu("stp")));
        QVERIFY(!a.Jest(NumerSygnalu("dod")));
        QVERIFY(a.Jest(NumerSygnalu("wex")));
        QVERIFY(a.Jest(NumerSygnalu("shl")));
        QCOMPARE(LiczbaIstniejacychSygnalow(a), 18);
        QCOMPARE(Elementy(a), std::vector<int>({0, 1, 8, 9, 10}));

        // Reopened on the same tab: refilled from the architecture, "U" still chosen;
        // unticking the only X signal takes X away.
        d.show();
        QVERIFY(d.RadioButtony[5]->isChecked());
        QCOMPARE(Pozycja(d.CheckListBox1, "wex")->checkState(), Qt::Checked);
        Pozycja(d.CheckListBox1, "wex")->setCheckState(Qt::Unchecked);
        d.BitBtnZastosujClick();
        QVERIFY(!s.Architektura.Element(1));
    }

    void presetUBezListyZostawiaSygnaly() {
        TSymulator s;
        s.ZastosujPreset("EK");
        TFormArchitektura d(s);
        d.show();
        d.RadioButtony[5]->setChecked(true);
        d.BitBtnZastosujClick();
        QCOMPARE(s.NazwaPresetu, std::string("U"));
        QCOMPARE(LiczbaIstniejacychSygnalow(s.Architektura), 33);
        QCOMPARE(Elementy(s.Architektura), std::vector<int>({0, 1, 4, 5, 6, 7, 8, 9, 10, 13}));
    }

    // ---- the CPU panel ----

    void rejestryZeZnakamiZmianPoTakcie() {
        TOkno t;
        t.Zaladuj({"pob liczba", "dod liczba", "stop", "liczba: rst 5"});
        TFrameCPU* cpu = t.f.FrameCPU1;
        t.f.SpeedButtonCPU->click();
        QCOMPARE(t.f.WidocznyPanel(), 4);
        cpu->OdswiezCPU();
        QCOMPARE(Linie(cpu->ListBoxRejestry),
                 QStringList({" L   0", " AK  0", " AD  0", " A   0", " S   0"}));
        QCOMPARE(Linie(cpu->ListBoxFlagi),
                 QStringList({"Z   0", "N   0", "NP  0", "NM  0", "INT 0", "PAK 1", "ZAK 1"}));
        for (int w = 0; w < 5; ++w)
            QCOMPARE(CzerwonePiksele(cpu->ListBoxRejestry, w), 0);

        // The fetch: L advances, I and S take the word 4 * 32 + 3.
        QTest::keyClick(&t.f, Qt::Key_F7);
        QCOMPARE(Linie(cpu->ListBoxRejestry),
                 QStringList({"+L   1", " AK  0", "+AD  3", " A   0", "+S   131"}));
        QCOMPARE(t.f.Status(1), QStringLiteral(" czyt wys wei il"));
        for (int w : {0, 2, 4})
            QVERIFY(CzerwonePiksele(cpu->ListBoxRejestry, w) > 0);
        for (int w : {1, 3})
            QCOMPARE(CzerwonePiksele(cpu->ListBoxRejestry, w), 0);

        cpu->SpeedButtonTakt->click();
        QCOMPARE(Linie(cpu->ListBoxRejestry),
                 QStringList({" L   1", " AK  0", " AD  3", "+A   3", " S   131"}));
        QCOMPARE(CzerwonePiksele(cpu->ListBoxRejestry, 0), 0);
        QVERIFY(CzerwonePiksele(cpu->ListBoxRejestry, 3) > 0);
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

    void listingDlaPieciuBitowAdresu() {
        TOkno t;
        t.Zaladuj({"pob liczba", "dod liczba", "stop", "liczba: rst 5", "org 30", "rpa"});
        t.s.ListaRozkazow.UsunWszystkie();
        t.s.ListaRozkazow.UstawStandardowe();
        TFrameCPU* cpu = t.f.FrameCPU1;
        t.f.SpeedButtonCPU->click();
        WysokoscListingu(cpu, 238);
        QCOMPARE(cpu->ListBoxPamiecProgram->viewport()->height(), 238);
        QCOMPARE(cpu->WidoczneWiersze(), 14);
        QCOMPARE(cpu->ScrollBar1->maximum(), 18);
        QStringList linie = Linie(cpu->ListBoxPamiecProgram);
        QCOMPARE(linie.size(), 14);
        // After a reset every register points at 0.
        QCOMPARE(linie[0], QStringLiteral("LXYZUVASADAK  0x00  4 3  pob 3"));
        QCOMPARE(linie[1], QStringLiteral("              0x01  1 3  dod 3"));
        QCOMPARE(linie[2], QStringLiteral("              0x02  0 0  stop"));
        QCOMPARE(linie[3], QStringLiteral("              0x03  0 5  stop"));
        QCOMPARE(linie[4], QStringLiteral("              0x04  <??\?>  <unknown>"));

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
        QCOMPARE(cpu->ScrollBar1->maximum(), 0);
        QCOMPARE(cpu->ScrollBar1->value(), 0);
        QCOMPARE(Linie(cpu->ListBoxPamiecProgram).size(), 32);
    }

    void listingDla24BitowAdresuIDwochArgumentow() {
        TOkno t;
        t.M().UstawSzerokosci(24, 3);
        t.s.ListaRozkazow[t.s.ListaRozkazow.ZnajdzKod(1)].LiczbaArgumentow = 2;
        t.M().WstawKomorke(0xABCDEF, 1, 20, "110");
        TFrameCPU* cpu = t.f.FrameCPU1;
        t.f.SpeedButtonCPU->click();
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
        TOkno t;
        TFrameKonsola* k = t.f.FrameKonsola1;
        t.f.SpeedButtonKonsola->click();
        QVERIFY(!k->Panel_IRQ->isVisible());
        QVERIFY(!k->Memo1->isVisible());
        QVERIFY(!k->Edit1->isVisible());
        t.s.ZastosujPreset("EK");
        k->PokazKonsole();
        QVERIFY(k->Panel_IRQ->isVisible());
        QVERIFY(k->Memo1->isVisible());
        QVERIFY(k->Edit1->isVisible());
        // A machine that only prints ("werb"): its output shows, there is nothing to type.
        ZastosujPresetU(t.s.Architektura, {{"wyrb", false}, {"start", true}});
        QVERIFY(t.s.Architektura.Element(4));
        QVERIFY(!t.s.Architektura.Element(5));
        k->PokazKonsole();
        QVERIFY(k->Memo1->isVisible());
        QVERIFY(!k->Edit1->isVisible());
        ZastosujPresetU(t.s.Architektura, {{"wyrb", true}, {"werb", false}});
        k->PokazKonsole();
        QVERIFY(!k->Memo1->isVisible());
        QVERIFY(k->Edit1->isVisible());
    }

    void przyciskiIRQZglaszajaPrzerwania() {
        TOkno t;
        t.s.ZastosujPreset("L");
        t.f.SpeedButtonKonsola->click();
        TFrameKonsola* k = t.f.FrameKonsola1;
        QCOMPARE(k->SpeedButtonIRQ[1]->objectName(), QStringLiteral("SpeedButton1"));
        QTest::mouseClick(k->SpeedButtonIRQ[1], Qt::LeftButton);
        QCOMPARE(t.M().Wartosc(Slot::RZ), 0x80u);
        QTest::mouseClick(k->SpeedButtonIRQ[8], Qt::LeftButton);
        QCOMPARE(t.M().Wartosc(Slot::RZ), 0x81u);
        for (int i = 2; i <= 7; ++i)
            QTest::mouseClick(k->SpeedButtonIRQ[i], Qt::LeftButton);
        QCOMPARE(t.M().Wartosc(Slot::RZ), 0xFFu);
        QStringList napisy;
        for (int i = 1; i <= 8; ++i)
            napisy << k->SpeedButtonIRQ[i]->text();
        QCOMPARE(napisy, QStringList({"8", "7", "6", "5", "4", "3", "2", "1"}));
    }

    void wpisanieZnakuKonczyStart() {
        TOkno t;
        t.s.ZastosujPreset("EK");
        t.f.SpeedButtonKonsola->click();
        TFrameKonsola* k = t.f.FrameKonsola1;
        // A manual "start" on the input device finds the line empty.
        t.M().UstawRejestr(Slot::AD, 1);
        t.M().UstawRejestr(Slot::RB_wy, 7);
        t.s.Architektura.Sygnaly[static_cast<std::size_t>(NumerSygnalu("start"))].Wybrany = true;
        PolecenieTakt(t.M(), true);
        QCOMPARE(t.M().Wartosc(Slot::G), 0u);
        QCOMPARE(t.M().Wartosc(Slot::RB_wy), 7u);

        k->Edit1->setFocus();
        QTest::keyClicks(k->Edit1, "x");
        QCOMPARE(t.M().Wartosc(Slot::RB_wy), 120u);
        QCOMPARE(t.M().Wartosc(Slot::G), 1u);
        QCOMPARE(t.M().Wartosc(Slot::RZ), 0x80u);
        QCOMPARE(k->Edit1->text(), QString());
        QCOMPARE(t.s.Konsola.Wejscie(), std::string());
        // The "start" is done: more typing stays in the line and only raises request 8.
        QTest::keyClicks(k->Edit1, "yz");
        QCOMPARE(k->Edit1->text(), QStringLiteral("yz"));
        QCOMPARE(t.s.Konsola.Wejscie(), std::string("yz"));
        QCOMPARE(t.M().Wartosc(Slot::RB_wy), 120u);

        // "Wyczyść" empties both texts.
        t.s.Konsola.Wypisz('A');
        k->OdswiezTeksty();
        QCOMPARE(k->Memo1->toPlainText(), QStringLiteral("A"));
        QTest::mouseClick(k->SpeedButtonWyczysc, Qt::LeftButton);
        QCOMPARE(k->Memo1->toPlainText(), QString());
        QCOMPARE(k->Edit1->text(), QString());
        QCOMPARE(t.s.Konsola.Wejscie(), std::string());
    }

    void wpisywanieGdyMaszynaStoiNieZglasza() {
        TOkno t;
        t.s.ZastosujPreset("EK");
        t.f.SpeedButtonKonsola->click();
        t.Zaladuj({"stop"});
        t.f.FrameCPU1->SpeedButtonProgram->click();
        QVERIFY(t.M().Zatrzymana());
        QTest::keyClicks(t.f.FrameKonsola1->Edit1, "q");
        QCOMPARE(t.M().Wartosc(Slot::RZ), 0u);
        QCOMPARE(t.s.Konsola.Wejscie(), std::string("q"));
    }

    void znakiZabraneWTrakcieNieWracaja() {
        TOkno t;
        t.s.ZastosujPreset("EK");
        t.f.SpeedButtonKonsola->click();
        TFrameKonsola* k = t.f.FrameKonsola1;
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
        TOkno t;
        t.s.ZastosujPreset("EK");
        t.f.SpeedButtonKonsola->click();
        TFrameKonsola* k = t.f.FrameKonsola1;
        // The output device prints through "start" with AD = 2.
        auto wypisz = [&](std::uint32_t kod) {
            t.M().UstawRejestr(Slot::AD, 2);
            t.M().UstawRejestr(Slot::RB_we, kod);
            t.M().Przeslanie();
        };
        wypisz('A');
        wypisz('B');
        QTRY_COMPARE(k->Memo1->toPlainText(), QStringLiteral("AB"));
        wypisz(13);
        wypisz('C');
        QTRY_COMPARE(k->Memo1->toPlainText(), QStringLiteral("AB\nC"));
        t.s.Konsola.Wyczysc();
        wypisz('D');
        QTRY_COMPARE(k->Memo1->toPlainText(), QStringLiteral("D"));
    }

    // ---- breakpoints and the debug log ----

    void punktZDialoguZatrzymujeProgramIJestWLogu() {
        TOkno t;
        t.Zaladuj({"pob zero", "p: dod jeden", "sob p", "zero: rst 0", "jeden: rst 1"});
        t.f.SpeedButtonBreakpoints->click();
        TFrameBreakpoints* b = t.f.FrameBreakpoints1;
        t.odpowiedz = [](QDialog& okno) {
            auto* d = qobject_cast<TFormBreakpoint*>(&okno);
            if (!d) return int(QMessageBox::No);
            d->show();
            d->ComboBoxCo->setCurrentIndex(0);
            d->ComboBoxRelacja->setCurrentIndex(0);
            d->EditWartosc1->setText("5");
            QTest::mouseClick(d->BitBtnZastosuj, Qt::LeftButton);
            return d->result();
        };
        QTest::mouseClick(b->SpeedButtonDodaj, Qt::LeftButton);
        QCOMPARE(t.okna, QStringList({"Punkty Zatrzymania"}));
        QCOMPARE(t.s.PunktyZatrzymania.Count(), 1);
        QCOMPARE(b->ListViewPunkty->topLevelItemCount(), 1);
        QCOMPARE(b->ListViewPunkty->topLevelItem(0)->text(0), QStringLiteral("1"));
        QCOMPARE(b->ListViewPunkty->topLevelItem(0)->text(1),
                 QStringLiteral("Akumulator AK równa się 5"));
        QCOMPARE(b->ListViewPunkty->columnWidth(0), 0);
        QCOMPARE(b->ListViewPunkty->headerItem()->text(1), QStringLiteral("Warunek"));

        t.f.SpeedButtonCPU->click();
        t.f.FrameCPU1->SpeedButtonProgram->click();
        QTRY_VERIFY(!t.f.Przebieg->Trwa());
        QCOMPARE(t.M().Wartosc(Slot::AK), 5u);
        QCOMPARE(t.s.StanPracy.TrybPracy, 0);
        QVERIFY(t.f.FrameCPU1->SpeedButtonStop->isHidden());
        QCOMPARE(Linie(t.f.FrameCPU1->ListBoxRejestry).at(1), QStringLiteral("+AK  5"));
        QVERIFY(t.f.SpeedButtonDebug->font().bold());
        QCOMPARE(t.f.SpeedButtonDebug->palette().color(QPalette::ButtonText), QColor(Qt::red));

        t.f.SpeedButtonDebug->click();
        QCOMPARE(t.f.FrameDebug1->MemoDebug->toPlainText(),
                 QStringLiteral("Breakpoint 1 OK = Akumulator AK równa się 5"));
        QVERIFY(!t.f.SpeedButtonDebug->font().bold());

        // Ignored, the same breakpoint lets the program run on.
        t.f.SpeedButtonBreakpoints->click();
        b->CheckBoxIgnoruj->click();
        QVERIFY(t.s.PunktyZatrzymania.Ignoruj);
        t.f.SpeedButtonCPU->click();
        t.f.FrameCPU1->SpeedButtonRozkaz->click();
        t.f.FrameCPU1->SpeedButtonRozkaz->click();
        QCOMPARE(t.s.Dziennik.Linie().size(), std::size_t(1));
    }

    void logDwaKomunikatyIWyczysc() {
        TOkno t;
        t.f.SpeedButtonDebug->click();
        TFrameDebug* d = t.f.FrameDebug1;
        // Reading two empty buses: two messages in one tick.
        t.s.Architektura.Sygnaly[static_cast<std::size_t>(NumerSygnalu("wea"))].Wybrany = true;
        t.s.Architektura.Sygnaly[static_cast<std::size_t>(NumerSygnalu("wes"))].Wybrany = true;
        PolecenieTakt(t.M(), true);
        QTRY_COMPARE(d->MemoDebug->toPlainText().count(QLatin1Char('\n')), 1);
        QVERIFY(d->MemoDebug->toPlainText().startsWith(
            QStringLiteral("WEA - Próba odczytu z pustej magistrali adresowej A")));
        QVERIFY(t.f.SpeedButtonDebug->font().bold());
        QTest::mouseClick(d->SpeedButtonWyczysc, Qt::LeftButton);
        QCOMPARE(d->MemoDebug->toPlainText(), QString());
        QVERIFY(t.s.Dziennik.Linie().empty());
        QVERIFY(!t.f.SpeedButtonDebug->font().bold());
        QCOMPARE(t.f.SpeedButtonDebug->palette().color(QPalette::ButtonText),
                 t.f.palette().color(QPalette::ButtonText));

        // The labels of the last assembly, in their list.
        t.s.KompilujProgram({"start: stop", "dane: rst 4"});
        t.f.SpeedButtonMaszyna->click();
        t.f.SpeedButtonDebug->click();
        QCOMPARE(d->ListViewEtykiety->topLevelItemCount(), 2);
        QCOMPARE(d->ListViewEtykiety->topLevelItem(1)->text(0), QStringLiteral("dane"));
        QCOMPARE(d->ListViewEtykiety->topLevelItem(1)->text(1), QStringLiteral("1"));
    }

    void usuwaniePunktow() {
        TOkno t;
        std::string blad;
        for (int w : {1, 2, 3}) {
            TPunktZatrzymania p;
            p.Wartosc1 = w;
            QVERIFY(t.s.PunktyZatrzymania.DodajPunkt(p, blad));
        }
        t.f.SpeedButtonBreakpoints->click();
        TFrameBreakpoints* b = t.f.FrameBreakpoints1;
        QCOMPARE(b->ListViewPunkty->topLevelItemCount(), 3);
        b->SpeedButtonUsun->click();
        QCOMPARE(t.okna, QStringList({"Informacja|Zaznacz punkt zatrzymania do usunięcia!"}));
        QCOMPARE(t.s.PunktyZatrzymania.Count(), 3);

        b->ListViewPunkty->topLevelItem(0)->setSelected(true);
        t.okna.clear();
        b->SpeedButtonUsun->click(); // answered No
        QCOMPARE(t.okna, QStringList({"Pytanie|Usunąć punkt zatrzymania?"}));
        QCOMPARE(t.s.PunktyZatrzymania.Count(), 3);
        t.odpowiedz = [](QDialog& okno) {
            auto* box = qobject_cast<QMessageBox*>(&okno);
            if (!box) return 0;
            // Asked the way the user sees it: a question, No the default.
            if (box->icon() != QMessageBox::Question ||
                box->defaultButton() != box->button(QMessageBox::No))
                return int(QMessageBox::No);
            return int(QMessageBox::Yes);
        };
        b->ListViewPunkty->topLevelItem(0)->setSelected(true);
        b->SpeedButtonUsun->click();
        QCOMPARE(t.s.PunktyZatrzymania.Count(), 2);
        QCOMPARE(b->ListViewPunkty->topLevelItem(0)->text(1),
                 QStringLiteral("Akumulator AK równa się 3"));
        QCOMPARE(b->ListViewPunkty->topLevelItem(1)->text(1),
                 QStringLiteral("Akumulator AK równa się 2"));
    }

    void punktPonadLimitOdrzuconyZKomunikatem() {
        TOkno t;
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
        TOkno t;
        t.Zaladuj({"pob liczba", "stop", "liczba: rst 5"});
        t.f.SpeedButtonKonsola->click();
        QVERIFY(!t.f.FrameKonsola1->Edit1->isVisible());
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
        QVERIFY(t.f.FrameKonsola1->Edit1->isVisible());
        QVERIFY(t.f.FrameKonsola1->Memo1->isVisible());
        QVERIFY(t.f.FrameKonsola1->Panel_IRQ->isVisible());
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

    void punktDialogPolaPokazywaneIUkrywane() {
        TFormBreakpoint d;
        d.show();
        QCOMPARE(d.windowTitle(), QStringLiteral("Punkty Zatrzymania"));
        QCOMPARE(d.ComboBoxCo->count(), 21);
        QCOMPARE(d.ComboBoxRelacja->count(), 7);
        QCOMPARE(d.ComboBoxCo->itemText(7), QStringLiteral("Komórka pamięci (PaO)"));
        QCOMPARE(d.ComboBoxRelacja->itemText(6), QStringLiteral("zawiera się w przedziale"));
        QVERIFY(!d.ComboBoxCo->isEditable());
        QVERIFY(d.EditWartosc1->isVisible());
        QVERIFY(!d.EditWartosc2->isVisible());
        QVERIFY(!d.EditAdres->isVisible());
        d.ComboBoxCo->setCurrentIndex(7);
        QVERIFY(d.EditAdres->isVisible());
        d.ComboBoxCo->setCurrentIndex(8);
        QVERIFY(!d.EditAdres->isVisible());
        d.ComboBoxRelacja->setCurrentIndex(6);
        QVERIFY(d.EditWartosc2->isVisible());
        d.ComboBoxRelacja->setCurrentIndex(2);
        QVERIFY(!d.EditWartosc2->isVisible());

        // Shown again: everything back to its start.
        d.EditWartosc1->setText("12");
        d.ComboBoxCo->setCurrentIndex(7);
        d.hide();
        d.show();
        QCOMPARE(d.ComboBoxCo->currentIndex(), 0);
        QCOMPARE(d.ComboBoxRelacja->currentIndex(), 0);
        QVERIFY(!d.EditAdres->isVisible());
        for (QLineEdit* p : {d.EditWartosc1, d.EditWartosc2, d.EditAdres})
            QCOMPARE(p->text(), QStringLiteral("0"));
    }

    void punktDialogCzytaRekord() {
        TFormBreakpoint d;
        d.show();
        d.ComboBoxCo->setCurrentIndex(7);
        d.ComboBoxRelacja->setCurrentIndex(6);
        d.EditAdres->setText("20");
        d.EditWartosc1->setText("-3");
        d.EditWartosc2->setText("$1F");
        TPunktZatrzymania p = d.Punkt();
        QCOMPARE(p.Co, 7);
        QCOMPARE(p.Relacja, 6);
        QCOMPARE(p.AdresKomorki, 20);
        QCOMPARE(p.Wartosc1, -3);
        QCOMPARE(p.Wartosc2, 31);
        // Hidden fields are read as well; what is no integer is 0.
        d.ComboBoxCo->setCurrentIndex(0);
        d.ComboBoxRelacja->setCurrentIndex(0);
        d.EditWartosc1->setText("abc");
        p = d.Punkt();
        QCOMPARE(p.AdresKomorki, 20);
        QCOMPARE(p.Wartosc1, 0);
        QCOMPARE(p.Wartosc2, 31);
        QCOMPARE(LiczbaPola("2147483648"), 0);
        QCOMPARE(LiczbaPola("-2147483648"), std::int32_t(-2147483647 - 1));
        QCOMPARE(LiczbaPola(" 7 "), 7);
        QCOMPARE(LiczbaPola("0x10"), 16);
        QCOMPARE(LiczbaPola("--1"), 0);
        QCOMPARE(LiczbaPola("5x"), 0);
        QCOMPARE(LiczbaPola(""), 0);
    }
};

std::unique_ptr<QObject> TestyPaneliMaszyny() {
    return std::make_unique<TestPaneliMaszyny>();
}

#include "test_panele_maszyny.moc"
