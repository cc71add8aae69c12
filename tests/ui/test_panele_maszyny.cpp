#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>

#include <memory>
#include <string>
#include <vector>

#include "Presety.h"
#include "TFormArchitektura.h"
#include "TFormBreakpoint.h"
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
        // Five columns: the sixth item of a 13-row column starts the second one.
        QCOMPARE(d.CheckListBox1->flow(), QListView::TopToBottom);
        QCOMPARE(d.CheckListBox1->gridSize().width(), d.CheckListBox1->viewport()->width() / 5);
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
