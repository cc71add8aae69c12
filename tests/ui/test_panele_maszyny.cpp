#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSpinBox>
#include <QSplitter>
#include <QStringListModel>
#include <QTableWidget>
#include <QToolButton>
#include <QTreeWidget>

#include "Presety.h"
#include "Sterowanie.h"
#include "TFormArchitektura.h"
#include "TFormBreakpoint.h"
#include "TFrameBreakpoints.h"
#include "TFrameCPU.h"
#include "TFrameDebug.h"
#include "TFrameKonsola.h"
#include "TFrameMaszyna.h"
#include "TPrzebiegOkna.h"
#include "TestyUi.h"

namespace {

QListWidgetItem* Pozycja(QListWidget* lista, const char* tekst) {
    return lista->findItems(QLatin1String(tekst), Qt::MatchExactly).value(0);
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
        // The interrupt labels with their addresses, read-only; the two device addresses.
        QCOMPARE(d.StringGrid1->editTriggers(), QAbstractItemView::NoEditTriggers);
        const QStringList przerwania = Wiersze(d.StringGrid1);
        QCOMPARE(
            (QStringList{przerwania[0], przerwania[2], przerwania[8]}),
            (QStringList{"|Etykieta|Adres", "Przerwanie nr 2|int2|9", "Przerwanie nr 8|int8|10"}));
        QCOMPARE(Wiersze(d.StringGrid2),
                 QStringList({"|Adres", "Urządzenie wejściowe|1", "Urządzenie wyjściowe|2"}));
        // The signals, filled when their tab shows, in five columns of 13 all in view; "U"
        // takes the ticks as they are.
        QListWidget* l = d.CheckListBox1;
        QCOMPARE(l->count(), 0);
        d.PageControl1->setCurrentWidget(d.TabSheetSygnaly);
        QCOMPARE(l->count(), 61);
        QCOMPARE(Bity({Pozycja(l, "dod")->checkState() == Qt::Checked,
                       Pozycja(l, "wex")->checkState() == Qt::Checked}),
                 QStringLiteral("10"));
        auto r = [l](int i) { return l->visualItemRect(l->item(i)); };
        QCOMPARE((QList<int>{r(12).x(), r(13).y()}), (QList<int>{r(0).x(), r(0).y()}));
        QVERIFY(l->viewport()->rect().contains(l->visualItemRect(l->item(60))));
        Pozycja(l, "dod")->setCheckState(Qt::Unchecked);
        Pozycja(l, "wex")->setCheckState(Qt::Checked);
        d.RadioButtony[5]->setChecked(true);
        d.BitBtnZastosujClick();
        QCOMPARE(s.NazwaPresetu, std::string("U"));
        QVERIFY(!s.Architektura.Jest(NumerSygnalu("dod")) &&
                s.Architektura.Jest(NumerSygnalu("wex")));
    }

    void architekturaZastosujIAnuluj() {
        // Applied from the menu: the preset and widths, the memory emptied and said so, the
        // registers kept. Cancelled:
        // nothing changes and the same dialog comes back with the radio button following the
        // status name.
        TOknoGlowne t;
        t.M().UstawRejestr(Slot::AK, 9);
        t.odpowiedz = [](QDialog& okno) {
            auto* d = qobject_cast<TFormArchitektura*>(&okno);
            d->show();
            d->RadioButtony[3]->setChecked(true);
            d->UpDownIleBityAdresowe->setValue(6);
            QTest::mouseClick(d->BitBtnZastosuj, Qt::LeftButton);
            return d->result();
        };
        t.A("Menu_Symulator_Architektura")->trigger();
        QCOMPARE(t.okna, QStringList({"Architektura"}));
        QCOMPARE(t.f.Status(0), QStringLiteral("EK"));
        QCOMPARE(t.M().BityAdresu(), 6);
        QCOMPARE(t.M().Wartosc(Slot::AK), 9u);
        QCOMPARE(t.f.Status(1), QStringLiteral("Pamięć wyczyszczona po zmianie architektury"));

        QPointer<QDialog> pierwszy = t.f.FormArchitektura;
        t.odpowiedz = [](QDialog& okno) {
            auto* d = qobject_cast<TFormArchitektura*>(&okno);
            d->show();
            if (!d->RadioButtony[3]->isChecked() || d->UpDownIleBityAdresowe->value() != 6)
                return 0;
            d->UpDownIleBityAdresowe->setValue(12);
            d->RadioButtony[0]->setChecked(true);
            QTest::mouseClick(d->BitBtnAnuluj, Qt::LeftButton);
            return d->result();
        };
        t.f.Architektura2->trigger();
        QCOMPARE(t.f.FormArchitektura, pierwszy);
        QCOMPARE(t.f.Status(0), QStringLiteral("EK"));
        QCOMPARE(t.M().BityAdresu(), 6);
    }

    // ---- the CPU panel ----

    void rejestryZeZnakamiZmianITaktyWstecz() {
        TOknoGlowne t;
        t.Zaladuj({"pob liczba", "dod liczba", "stop", "liczba: rst 5"});
        t.f.SpeedButtonCPU->click();
        TFrameCPU* cpu = t.f.FrameCPU1;
        QCOMPARE(Linie(cpu->ListBoxRejestry),
                 QStringList({" L   0", " AK  0", " AD  0", " A   0", " S   0"}));
        QCOMPARE(Czerwone(cpu->ListBoxRejestry), QStringLiteral("00000"));
        QVERIFY(!cpu->SpeedButtonTaktWstecz->isEnabled());
        // The fetch: L advances, I and S take the word 4 * 32 + 3; changed lines red.
        QTest::keyClick(&t.f, Qt::Key_F7);
        QCOMPARE(Linie(cpu->ListBoxRejestry),
                 QStringList({"+L   1", " AK  0", "+AD  3", " A   0", "+S   131"}));
        QCOMPARE(t.f.Status(1), QStringLiteral(" czyt wys wei il"));
        QCOMPARE(Czerwone(cpu->ListBoxRejestry), QStringLiteral("10101"));
        QTest::keyClick(&t.f, Qt::Key_F7);
        const QString status = t.f.Status(1);
        cpu->SpeedButtonTakt->click();
        QCOMPARE(Linie(cpu->ListBoxRejestry).at(1), QStringLiteral("+AK  5"));
        QCOMPARE(Linie(cpu->ListBoxFlagi).last(), QStringLiteral("ZAK 0"));
        // Shift+F7: the state after two ticks, with the marks of the second.
        QTest::keyClick(&t.f, Qt::Key_F7, Qt::ShiftModifier);
        QCOMPARE(Linie(cpu->ListBoxRejestry),
                 QStringList({" L   1", " AK  0", " AD  3", "+A   3", " S   131"}));
        QCOMPARE(Czerwone(cpu->ListBoxRejestry), QStringLiteral("00010"));
        QCOMPARE(t.f.Status(1), status);
        // Shift+F8: back to the instruction's start, where nothing is left to undo.
        QTest::keyClick(&t.f, Qt::Key_F8, Qt::ShiftModifier);
        QCOMPARE(t.M().Wartosc(Slot::L), 0u);
        QVERIFY(!cpu->SpeedButtonRozkazWstecz->isEnabled());
        cpu->SpeedButtonRozkaz->click();
        cpu->SpeedButtonReset->click();
        QCOMPARE(Linie(cpu->ListBoxRejestry),
                 QStringList({"+L   0", "+AK  0", "+AD  0", "+A   0", "+S   0"}));
    }

    void wsteczPokazujeKomunikatyTaktu() {
        TOknoGlowne t;
        t.s.StanPracy.TrybPracy = TTrybPracy::Reczny;
        t.f.UstawDostepnosc();
        t.Wybrany("wel") = true; // from the empty bus: a message
        QTest::keyClick(&t.f, Qt::Key_F7);
        t.Wybrany("il") = true;
        QTest::keyClick(&t.f, Qt::Key_F7);
        QCOMPARE(t.f.FrameMaszyna1->ListBox1->count(), 0);
        t.f.SpeedButtonCPU->click();
        t.A("Menu_Maszyna_TaktWstecz")->trigger();
        QCOMPARE(t.f.WidocznyPanel(), 1);
        QCOMPARE(Linie(t.f.FrameMaszyna1->ListBox1),
                 QStringList{"WEL - Próba odczytu z pustej magistrali adresowej A"});
        QCOMPARE(t.f.Status(1), QStringLiteral(" wel "));
    }

    void odswiezanieWTrakcieNieZostawiaPustejListy() {
        TOknoGlowne t;
        t.Zaladuj({"a: dod jeden", "sob a", "jeden: rst 1"});
        t.f.SpeedButtonCPU->click();
        TFrameCPU* cpu = t.f.FrameCPU1;
        WysokoscListingu(cpu, 238);
        t.f.Przebieg->OkresRysowania = std::chrono::milliseconds(0);
        // Each list as the next repaint would show it, right after the panel's refresh.
        int odswiezenia = 0;
        QStringList puste;
        connect(t.f.Przebieg, &TPrzebiegOkna::ZmianaStanu, cpu, [&] {
            for (QAbstractItemView* lista : std::initializer_list<QAbstractItemView*>{
                     cpu->ListBoxPamiecProgram, cpu->ListBoxRejestry, cpu->ListBoxFlagi}) {
                const QImage obraz = lista->viewport()->grab().toImage();
                bool tekst = false;
                for (int y = 0; y < obraz.height(); ++y)
                    for (int x = 0; x < obraz.width(); ++x)
                        tekst |= qGray(obraz.pixel(x, y)) < 100;
                if (!tekst) puste << lista->objectName();
            }
            if (++odswiezenia == 5) t.f.Przebieg->Stop();
        });
        cpu->SpeedButtonProgram->click();
        QTRY_VERIFY(!t.f.Przebieg->Trwa());
        QVERIFY(odswiezenia >= 5);
        QCOMPARE(puste, QStringList());
    }

    void listingPamieci() {
        TOknoGlowne t;
        t.Zaladuj({"pob liczba", "dod liczba", "stop", "liczba: rst 5", "org 30", "rpa"});
        t.f.SpeedButtonCPU->click();
        TFrameCPU* cpu = t.f.FrameCPU1;
        WysokoscListingu(cpu, 238);
        QCOMPARE(cpu->WidoczneWiersze(), 14);
        QCOMPARE(cpu->ScrollBar1->maximum(), 18);
        // After a reset every register points at 0.
        QCOMPARE(Linie(cpu->ListBoxPamiecProgram).mid(0, 5),
                 QStringList({"LXYZUVASADAK  0x00  4 3  pob 3", "              0x01  1 3  dod 3",
                              "              0x02  0 0  stop", "              0x03  0 5  stop",
                              "              0x04  <??\?>  <unknown>"}));
        cpu->ScrollBar1->setValue(18);
        QCOMPARE(Linie(cpu->ListBoxPamiecProgram)[12],
                 QStringLiteral("              0x1E  0 0  stop"));
        // Marks follow their registers, and a code no instruction has is unknown.
        t.M().UstawRejestr(Slot::AK, 0x1F);
        t.M().UstawRejestr(Slot::X, 0x1F);
        t.M().WstawKomorke(0x1F, 7, 2, "110");
        cpu->OdswiezPamiec();
        QCOMPARE(Linie(cpu->ListBoxPamiecProgram).last(),
                 QStringLiteral(" X        AK  0x1F  7 2  <unknown>"));
    }

    // ---- the console ----

    void konsola() {
        TOknoGlowne t;
        t.f.SpeedButtonKonsola->click();
        TFrameKonsola* k = t.f.FrameKonsola1;
        // The parts the machine has; the last is the note shown when it has none of them.
        auto czesci = [&] {
            k->PokazKonsole();
            return Bity({k->Panel_IRQ->isVisible(), k->Memo1->isVisible(), k->Edit1->isVisible(),
                         k->LabelBrak->isVisible()});
        };
        QCOMPARE(czesci(), QStringLiteral("0001"));
        t.s.ZastosujPreset("EK");
        QCOMPARE(czesci(), QStringLiteral("1110"));
        // A manual "start" on the input device finds the line empty; a typed key completes
        // it, more typing stays in the line; a slice of a run takes "y" and the user types on.
        t.M().UstawRejestr(Slot::AD, 1);
        t.Wybrany("start") = true;
        PolecenieTakt(t.M(), true);
        k->Edit1->setFocus();
        QTest::keyClicks(k->Edit1, "xyz");
        QCOMPARE(t.M().Wartosc(Slot::RB_wy), 120u);
        QCOMPARE(t.s.Konsola.PobierzZnak(), std::uint8_t('y'));
        QTest::keyClicks(k->Edit1, "d");
        QCOMPARE(k->Edit1->text() + QString::number(k->Edit1->cursorPosition()),
                 QStringLiteral("zd2"));
        // The output device prints through "start" with AD = 2, 13 a new line.
        for (std::uint32_t kod : {65u, 13u, 66u}) {
            t.M().UstawRejestr(Slot::AD, 2);
            t.M().UstawRejestr(Slot::RB_we, kod);
            t.M().Przeslanie();
        }
        QTRY_COMPARE(k->Memo1->toPlainText(), QStringLiteral("A\nB"));
        // A machine that only prints ("wyrb"): its output shows, there is nothing to type.
        ZastosujPresetU(t.s.Architektura, {{"wyrb", false}, {"start", true}});
        QCOMPARE(czesci(), QStringLiteral("1100"));
        // The IRQ buttons, numbered from the left 8 down to 1, each raise their request.
        t.s.ZastosujPreset("L");
        QStringList napisy;
        for (int i = 1; i <= 8; ++i) {
            QTest::mouseClick(k->SpeedButtonIRQ[i], Qt::LeftButton);
            napisy << k->SpeedButtonIRQ[i]->text() + QLatin1Char('=') +
                          QString::number(t.M().Wartosc(Slot::RZ), 16);
        }
        QCOMPARE(napisy,
                 QStringList({"8=80", "7=c0", "6=e0", "5=f0", "4=f8", "3=fc", "2=fe", "1=ff"}));
    }

    // ---- breakpoints and the debug log ----

    void punktZDialoguZatrzymujeProgramIJestWLogu() {
        TOknoGlowne t;
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

        t.f.SpeedButtonCPU->click();
        TFrameCPU* cpu = t.f.FrameCPU1;
        cpu->SpeedButtonProgram->click();
        QTRY_VERIFY(!t.f.Przebieg->Trwa());
        QVERIFY(cpu->SpeedButtonStop->isHidden());
        QCOMPARE(Linie(cpu->ListBoxRejestry).at(1), QStringLiteral("+AK  5"));
        // The log, and the labels of the last assembly.
        t.f.SpeedButtonDebug->click();
        QCOMPARE(t.f.FrameDebug1->MemoDebug->toPlainText(),
                 QStringLiteral("Breakpoint 1 OK = Akumulator AK równa się 5"));
        QCOMPARE(Wiersze(t.f.FrameDebug1->ListViewEtykiety),
                 QStringList({"p|1", "zero|3", "jeden|4"}));
    }

    void usuwaniePunktu() {
        TOknoGlowne t;
        std::string blad;
        for (int w : {1, 2, 3})
            QVERIFY(t.s.PunktyZatrzymania.DodajPunkt({0, 0, 0, w, 0}, blad));
        t.f.SpeedButtonBreakpoints->click();
        QTreeWidget* punkty = t.f.FrameBreakpoints1->ListViewPunkty;
        QToolButton* usun = t.f.FrameBreakpoints1->SpeedButtonUsun;
        usun->click();
        punkty->topLevelItem(0)->setSelected(true);
        usun->click(); // answered No
        QCOMPARE(t.okna, QStringList({"Informacja|Zaznacz punkt zatrzymania do usunięcia!",
                                      "Pytanie|Usunąć punkt zatrzymania?"}));
        QCOMPARE(t.s.PunktyZatrzymania.Count(), 3);
        t.odpowiedz = [](QDialog& okno) {
            auto* box = qobject_cast<QMessageBox*>(&okno);
            // Asked the way the user sees it: a question, No the default.
            if (box && box->icon() == QMessageBox::Question &&
                box->defaultButton() == box->button(QMessageBox::No))
                return int(QMessageBox::Yes);
            return qobject_cast<TFormBreakpoint*>(&okno) ? int(QDialog::Accepted)
                                                         : int(QMessageBox::Ok);
        };
        punkty->topLevelItem(0)->setSelected(true);
        usun->click();
        QCOMPARE(Wiersze(punkty),
                 QStringList({"1|Akumulator AK równa się 3", "2|Akumulator AK równa się 2"}));
    }

    void punktDialogPolaIRekord() {
        TFormBreakpoint d;
        d.show();
        QCOMPARE(QList<int>({d.ComboBoxCo->count(), d.ComboBoxRelacja->count()}),
                 QList<int>({21, 7}));
        QCOMPARE(d.ComboBoxCo->itemText(7), QStringLiteral("Komórka pamięci (PaO)"));
        // The address with a memory cell, the second value with a range.
        auto pola = [&](int co, int relacja) {
            d.ComboBoxCo->setCurrentIndex(co);
            d.ComboBoxRelacja->setCurrentIndex(relacja);
            return Bity({d.EditWartosc1->isVisible(), d.EditWartosc2->isVisible(),
                         d.EditAdres->isVisible()});
        };
        QCOMPARE((QStringList{pola(0, 0), pola(7, 0), pola(8, 0), pola(8, 6), pola(7, 6)}),
                 (QStringList{"100", "101", "100", "110", "111"}));
        // The record read from the fields; hidden ones are read as well, and what is no
        // integer is 0.
        d.EditAdres->setText("20");
        d.EditWartosc1->setText("-3");
        d.EditWartosc2->setText("$1F");
        auto rekord = [&] {
            const TPunktZatrzymania p = d.Punkt();
            return QList<int>({p.Co, p.Relacja, p.AdresKomorki, p.Wartosc1, p.Wartosc2});
        };
        QCOMPARE(rekord(), QList<int>({7, 6, 20, -3, 31}));
        pola(0, 0);
        d.EditWartosc1->setText("abc");
        QCOMPARE(rekord(), QList<int>({0, 0, 20, 0, 31}));
    }
};

std::unique_ptr<QObject> TestyPaneliMaszyny() {
    return std::make_unique<TestPaneliMaszyny>();
}

#include "test_panele_maszyny.moc"
