// The program panel, the instruction editor and the microprogram views, driven as a user
// drives them: keys into the editors, clicks on the buttons and the lists.

#include <QApplication>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableView>
#include <QTableWidget>
#include <QTest>
#include <QTextBlock>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>

#include "EdytorKodu.h"
#include "ListaKomunikatow.h"
#include "Podswietlanie.h"
#include "TFormCompile.h"
#include "TFormMain.h"
#include "TFormMikroProgram.h"
#include "TFramePamiecMikroprogramu.h"
#include "TFrameProgram.h"
#include "TFrameRozkaz.h"
#include "TSymulator.h"
#include "TestyUi.h"

namespace {

// A double click on a row as the window system delivers it: press, release, double click,
// release.
void Dwuklik(QListWidget* lista, const QListWidgetItem* wiersz) {
    const QPoint miejsce = lista->visualItemRect(wiersz).center();
    QTest::mouseClick(lista->viewport(), Qt::LeftButton, {}, miejsce);
    QTest::mouseDClick(lista->viewport(), Qt::LeftButton, {}, miejsce);
    QTest::mouseRelease(lista->viewport(), Qt::LeftButton, {}, miejsce);
}

QStringList Wiersz(const QAbstractItemModel& m, int r) {
    QStringList w;
    for (int k = 0; k < m.columnCount(); ++k)
        w << m.index(r, k).data().toString();
    return w;
}

QStringList Naglowki(const QAbstractItemModel& m) {
    QStringList w;
    for (int k = 0; k < m.columnCount(); ++k)
        w << m.headerData(k, Qt::Horizontal).toString();
    return w;
}

QStringList Kolumny(const QTreeWidgetItem* w) {
    QStringList k;
    for (int i = 0; i < w->columnCount(); ++i)
        k << w->text(i);
    return k;
}

// The highlighting at a place of a document.
QTextCharFormat Format(const QTextDocument* d, int linia, int kolumna) {
    for (const QTextLayout::FormatRange& z : d->findBlockByNumber(linia).layout()->formats())
        if (kolumna >= z.start && kolumna < z.start + z.length) return z.format;
    return QTextCharFormat();
}

const QString PrzykladowyProgram = QStringLiteral("//program testowy\n"
                                                  "        pob zero\n"
                                                  "        ład liczba\n"
                                                  "petla:  pob liczba\n"
                                                  "        dod jeden\n"
                                                  "        ład liczba\n"
                                                  "        sob petla  //skok bezwarunkowy\n"
                                                  "        stop\n"
                                                  "\n"
                                                  "        org 20\n"
                                                  "liczba: rpa\n"
                                                  "zero:   rst 0\n"
                                                  "jeden:  rst 1\n"
                                                  "        kon\n");

const QRegularExpression
    LiniaCzasu(QStringLiteral("^Czas kompilacji: (poniżej 1 ms|[1-9][0-9]* ms)$"));

// The program panel, shown.
struct TPanelProgramu {
    TSymulator s;
    TFrameProgram f{s};
    TPanelProgramu() { f.show(); }
};

// The instruction editor on the standard set, shown, its boxes recorded as "Informacja|..."
// or "Pytanie|..." and answered with `odpowiedz`.
struct TEdytor {
    TSymulator s;
    TFrameRozkaz f{s};
    QStringList okna;
    bool odpowiedz = true;

    TEdytor() {
        f.PokazOkno = [this](TOkno rodzaj, const QString& tekst) {
            okna << (rodzaj == TOkno::Informacja ? QStringLiteral("Informacja|")
                                                 : QStringLiteral("Pytanie|")) +
                        tekst;
            return odpowiedz;
        };
        f.show();
        f.Odswiez();
    }
    bool Aktywny() {
        QApplication::setActiveWindow(&f);
        return QTest::qWaitForWindowActive(&f);
    }
    void KliknijWiersz(int wiersz) {
        QTreeWidget* l = f.ListViewRozkaz;
        QTest::mouseClick(l->viewport(), Qt::LeftButton, {},
                          l->visualItemRect(l->topLevelItem(wiersz)).center());
    }
    QStringList Kody() const {
        QStringList k;
        for (int i = 0; i < f.ComboBoxKod->count(); ++i)
            k << f.ComboBoxKod->itemText(i);
        return k;
    }
    // Whether each field can be edited: name, code, argument count, description, microprogram.
    QList<bool> Edytowalne() const {
        return {f.EditNazwa->isEnabled(), f.ComboBoxKod->isEnabled(),
                f.ComboBoxLiczbaArgumentow->isEnabled(), f.EditOpis->isEnabled(),
                !f.Memo1->isReadOnly()};
    }
};

} // namespace

class TestPaneleEdycji : public QObject {
    Q_OBJECT
  private slots:
    // --- Program panel ---------------------------------------------------------------

    void przykladWpisanyIKompilowanyCtrlF9() {
        TSymulator s;
        TFormMain okno(s);
        okno.show();
        okno.SpeedButtonProgram->click();
        TFrameProgram& f = *okno.FrameProgram1;
        QSignalSpy skompilowano(&f, &TFrameProgram::Skompilowano);
        f.Memo2->setFocus();
        Wpisz(f.Memo2, PrzykladowyProgram);
        QCOMPARE(f.LinieProgramu().size(), std::size_t{14});
        QCOMPARE(f.LinieProgramu()[2], std::string("        ład liczba"));

        s.Maszyna.UstawRejestr(Slot::AK, 77);
        s.Maszyna.UstawRejestr(Slot::L, 9);
        QTest::keyClick(f.Memo2, Qt::Key_F9); // without Ctrl nothing here
        QCOMPARE(f.ListBox1->count(), 0);
        QTest::keyClick(f.Memo2, Qt::Key_F9, Qt::ControlModifier);
        const QStringList komunikaty = f.ListBox1->Teksty();
        QCOMPARE(komunikaty.size(), 2);
        QCOMPARE(komunikaty[0], QStringLiteral("Kompilacja"));
        QVERIFY2(LiniaCzasu.match(komunikaty[1]).hasMatch(), qPrintable(komunikaty[1]));
        QCOMPARE(s.Maszyna.CzytajPaO(2), 148u); // "ład liczba": the Polish letter went through
        // The machine is reset afterwards and the window told so; the text stays.
        QCOMPARE(s.Maszyna.Wartosc(Slot::AK), 0u);
        QCOMPARE(s.Maszyna.Wartosc(Slot::L), 0u);
        QCOMPARE(skompilowano.count(), 1);
        QCOMPARE(f.Memo2->toPlainText(), PrzykladowyProgram);
    }

    void bledyProgramuIDwuklikKomunikatu() {
        TPanelProgramu t;
        TFrameProgram& f = t.f;
        f.UstawLinieProgramu({"xyz", "  sob", "stop", "", "// komentarz", "  pob 1 2"});
        f.SpeedButtonKompiluj->click();
        const QStringList k = f.ListBox1->Teksty();
        QCOMPARE(k.size(), 5);
        QCOMPARE(k.first(4),
                 (QStringList{"Kompilacja", "[Błąd] ...(0): Nieznana instrukcja \"xyz\"",
                              "[Błąd] ...(1): Za mało parametrów",
                              "[Błąd] ...(5): Za dużo parametrów"}));
        QVERIFY(LiniaCzasu.match(k[4]).hasMatch());
        QCOMPARE(t.s.Maszyna.CzytajPaO(1), 5u * 32); // the words are loaded all the same
        // A double click on a message shows its line; one without a line number leads nowhere.
        Dwuklik(f.ListBox1, f.ListBox1->item(3));
        QCOMPARE(f.Memo2->textCursor().blockNumber(), 5);
        f.Memo2->moveCursor(QTextCursor::Start);
        Dwuklik(f.ListBox1, f.ListBox1->item(0));
        QCOMPARE(f.Memo2->textCursor().blockNumber(), 0);
    }

    void edytorLinieIKlawisze() {
        // Lines the editor has, as the gutter numbers them, for texts with and without a
        // final line break; what is saved does not change.
        TPanelProgramu t;
        TFrameProgram& f = t.f;
        TEdytorKodu* e = f.Memo2;
        const std::pair<QString, int> teksty[] = {{{}, 0},
                                                  {QStringLiteral("a"), 1},
                                                  {QStringLiteral("a\n"), 1},
                                                  {QStringLiteral("a\n\n"), 2},
                                                  {QStringLiteral("a\nb"), 2}};
        for (const auto& [tekst, linie] : teksty) {
            e->setPlainText(tekst);
            QVERIFY2(e->LiczbaLinii() == linie && e->Linie().size() == linie, qPrintable(tekst));
        }
        for (const QStringList& linie :
             {QStringList(14, QStringLiteral("stop")), QStringList{"a", ""}, QStringList{""}}) {
            e->UstawLinie(linie);
            QCOMPARE(e->LiczbaLinii(), linie.size());
            QCOMPARE(e->Linie(), linie);
        }
        // Ctrl+A selects the whole text; Tab types a tab and keeps the focus in the editor.
        f.Memo2->clear();
        f.Memo2->setFocus();
        Wpisz(f.Memo2, QStringLiteral("pob 1\nstop"));
        QTest::keyClick(f.Memo2, Qt::Key_A, Qt::ControlModifier);
        QCOMPARE(f.Memo2->textCursor().selectedText(), QStringLiteral("pob 1\u2029stop"));
        QTest::keyClick(f.Memo2, Qt::Key_End, Qt::ControlModifier);
        QTest::keyClick(f.Memo2, Qt::Key_Tab);
        QCOMPARE(f.Memo2->toPlainText(), QStringLiteral("pob 1\nstop\t"));
        // The instruction editor: Ctrl+End, Return and a word add one microprogram line.
        TEdytor r;
        r.f.Memo1->setFocus();
        QTest::keyClick(r.f.Memo1, Qt::Key_End, Qt::ControlModifier);
        QTest::keyClick(r.f.Memo1, Qt::Key_Return);
        Wpisz(r.f.Memo1, QStringLiteral("stp ;"));
        QCOMPARE(r.f.Memo1->Linie(), (QStringList{"czyt wys wei il ;", "wyad wea ;",
                                                  "czyt wys weja dod weak wyl wea ;", "stp ;"}));
    }

    void siatkaPrzerwanZalezyOdArchitektury() {
        TPanelProgramu t;
        TSymulator& s = t.s;
        TFrameProgram& f = t.f;
        QVERIFY(f.PanelIRQ->isHidden());
        QVERIFY(s.ZastosujPreset("L"));
        f.Odswiez();
        QVERIFY(f.StringGrid_IRQ->isVisible());
        QCOMPARE(f.StringGrid_IRQ->rowCount(), 8);
        QCOMPARE(f.StringGrid_IRQ->horizontalHeaderItem(1)->text(), QStringLiteral("Etykieta"));
        QCOMPARE(f.StringGrid_IRQ->item(7, 0)->text() + f.StringGrid_IRQ->item(7, 1)->text(),
                 QStringLiteral("Przerwanie nr 8int8"));
        QCOMPARE(f.StringGrid_IRQ->columnWidth(0), f.StringGrid_IRQ->columnWidth(1));
        QCOMPARE(f.StringGrid_IRQ->height(), 9 * 19 + 4);
        QVERIFY(s.ZastosujPreset("K"));
        f.Odswiez();
        QVERIFY(f.PanelIRQ->isHidden());
    }

    void oknoWynikuKompilacji() {
        TPanelProgramu t;
        TFrameProgram& f = t.f;
        f.UstawLinieProgramu({"a: b: pob a", "c: rst 5"});
        f.Kompiluj();
        QStringList etykiety, zrodlo, slowa;
        QTimer::singleShot(0, &f, [&] {
            for (int i = 0; i < f.FormCompile->ListView1->topLevelItemCount(); ++i)
                etykiety
                    << Kolumny(f.FormCompile->ListView1->topLevelItem(i)).join(QLatin1Char('='));
            zrodlo = f.FormCompile->Memo1->toPlainText().split(QLatin1Char('\n'));
            slowa = f.FormCompile->Memo5->toPlainText().split(QLatin1Char('\n'));
            QTest::mouseClick(f.FormCompile->ButtonZamknij, Qt::LeftButton);
        });
        f.SpeedButton2->click();
        QCOMPARE(etykiety, (QStringList{"a=0", "b=0", "c=1"}));
        QCOMPARE(zrodlo, (QStringList{"a: b: pob a", "c: rst 5"}));
        QCOMPARE(slowa, (QStringList{"0 4 0 110 ", "1 0 5 010 "}));
        QCOMPARE(f.FormCompile->windowTitle(), QStringLiteral("FormCompile"));
        QCOMPARE(f.FormCompile->PageControl->tabText(5), QStringLiteral("TabSheet6"));
        QVERIFY(f.SpeedButton2->isHidden());
    }

    void ukrytyWyborProgramu() {
        TPanelProgramu t;
        TFrameProgram& f = t.f;
        t.s.ListaProgramow[1].Tekst = {"stop"};
        f.WypelnijListeProgramow();
        QCOMPARE(f.ComboBoxProgram->count(), 1);
        QCOMPARE(f.ComboBoxProgram->itemText(0), QStringLiteral("Program"));
        f.ComboBoxProgram->setCurrentIndex(0);
        f.WybierzProgram();
        QCOMPARE(f.LinieProgramu(), (std::vector<std::string>{"stop"}));
        QVERIFY(f.ComboBoxProgram->isHidden());
    }

    // --- Instruction editor ----------------------------------------------------------

    void listaRozkazowIPierwszyRozkaz() {
        TEdytor t;
        TFrameRozkaz& f = t.f;
        QTreeWidget* l = f.ListViewRozkaz;
        QCOMPARE(l->topLevelItemCount(), 7);
        QVERIFY(l->isColumnHidden(0));
        QCOMPARE(Kolumny(l->headerItem()),
                 (QStringList{"ID", "Kod", "Nazwa", "Liczba argumentów", "Opis działania"}));
        QCOMPARE(Kolumny(l->topLevelItem(2)).first(4), (QStringList{"3", "3", "ład", "1"}));
        QCOMPARE(Kolumny(l->topLevelItem(6)).first(4), (QStringList{"7", "0", "stop", "0"}));
        QCOMPARE(f.Label_Info->text(), QStringLiteral("Aktualnie edytujesz rozkaz"));
        QCOMPARE(f.Label1_->text(), QStringLiteral("dod"));
        QVERIFY(f.Label1_->font().bold());
        QCOMPARE(f.EditNazwa->text(), QStringLiteral("dod"));
        QCOMPARE(f.ComboBoxLiczbaArgumentow->currentText(), QStringLiteral("1"));
        QCOMPARE(f.ComboBoxLiczbaArgumentow->count(), 10);
        QCOMPARE(f.Memo1->Linie(), (QStringList{"czyt wys wei il ;", "wyad wea ;",
                                                "czyt wys weja dod weak wyl wea ;"}));

        // A click on a row shows its instruction.
        t.KliknijWiersz(5);
        QCOMPARE(f.Label1_->text(), QStringLiteral("som"));
        QCOMPARE(f.Pozycja(), 6);
        QCOMPARE(f.Memo1->Linie().size(), 4);

        // The field being edited is stored as the click takes the focus, then the row shown.
        QVERIFY(t.Aktywny());
        f.EditOpis->setFocus();
        QTest::keyClick(f.EditOpis, Qt::Key_End);
        Wpisz(f.EditOpis, QStringLiteral(" Uwaga."));
        t.KliknijWiersz(1);
        QVERIFY(QString::fromStdString(t.s.ListaRozkazow[6].Opis)
                    .endsWith(QStringLiteral("równy 1). Uwaga.")));
        QVERIFY(l->topLevelItem(5)->text(4).endsWith(QStringLiteral(" Uwaga.")));
        QCOMPARE(f.Label1_->text(), QStringLiteral("ode"));
        QCOMPARE(f.EditOpis->text(), QString::fromStdString(t.s.ListaRozkazow[2].Opis));
    }

    void kodySobIDodawanieDoLimitu() {
        TEdytor t;
        t.f.WyswietlRozkaz(5);
        QCOMPARE(t.f.Label1_->text(), QStringLiteral("sob"));
        QCOMPARE(t.Kody(), (QStringList{"5", "7"}));
        QCOMPARE(t.f.ComboBoxKod->currentText(), QStringLiteral("5"));

        QTest::mouseClick(t.f.SpeedButtonDodaj, Qt::LeftButton);
        QCOMPARE(t.s.ListaRozkazow.Count(), 8);
        QCOMPARE(t.f.Label1_->text(), QStringLiteral("nop7"));
        QCOMPARE(t.f.ListViewRozkaz->topLevelItemCount(), 8);
        t.f.WyswietlRozkaz(5);
        QCOMPARE(t.Kody(), (QStringList{"5"}));

        QTest::mouseClick(t.f.SpeedButtonDodaj, Qt::LeftButton);
        QCOMPARE(t.s.ListaRozkazow.Count(), 8);
        QCOMPARE(t.okna,
                 QStringList{"Informacja|Osiągnięto limit rozkazów.\nZwiększ ilość bitów kodu!"});
    }

    void stopTylkoDoOdczytu() {
        TEdytor t;
        t.f.WyswietlRozkaz(7);
        QCOMPARE(t.f.Label1_->text(), QStringLiteral("stop"));
        QCOMPARE(t.Edytowalne(), QList<bool>(5, false));
        t.f.Memo1->setFocus();
        Wpisz(t.f.Memo1, QStringLiteral("wyx"));
        QCOMPARE(t.f.Memo1->Linie(), (QStringList{"czyt wys wei il ;", "stp ;"}));
        t.f.WyswietlRozkaz(2);
        QCOMPARE(t.Edytowalne(), QList<bool>(5, true));
    }

    void dwuklikKomunikatuZaznaczaSlowo() {
        TEdytor t;
        TFrameRozkaz& f = t.f;
        t.s.ListaRozkazow[4].Mikroprogram = {"czyt wys wei il ;", "wyad WEA ;", "if z then ;"};
        t.s.ListaRozkazow[2].Mikroprogram = {"czyt wys wei il ;", "wyad wea ;",
                                             "czyt wys weja ode weak WYX wea ;"};
        f.SpeedButtonKompilujClick(); // stores "dod" as shown, compiles all
        const QStringList k = f.ListBox1->Teksty();
        QCOMPARE(k.mid(0, 3), (QStringList{"Kompilacja", "ode: Niedozwolony sygnal: wyx",
                                           "Za krótki warunek: if z then "}));
        QVERIFY2(LiniaCzasu.match(k.last()).hasMatch(), qPrintable(k.last()));
        auto dwuklik = [&](const QString& tekst) {
            const auto w = f.ListBox1->findItems(tekst, Qt::MatchExactly).value(0);
            QVERIFY2(w, qPrintable(tekst));
            Dwuklik(f.ListBox1, w);
        };
        dwuklik(QStringLiteral("ode: Niedozwolony sygnal: wyx"));
        QCOMPARE(f.Label1_->text(), QStringLiteral("ode"));
        QCOMPARE(f.Memo1->textCursor().selectedText(), QStringLiteral("WYX"));
        QCOMPARE(f.Memo1->textCursor().blockNumber(), 2);
        dwuklik(QStringLiteral("Za krótki warunek: if z then "));
        QCOMPARE(f.Label1_->text(), QStringLiteral("pob"));
        QCOMPARE(f.Memo1->textCursor().selectedText(), QStringLiteral("if z then"));
    }

    void usuwanieZPytaniem() {
        TEdytor t;
        TFrameRozkaz& f = t.f;
        QTest::mouseClick(f.SpeedButtonUsun, Qt::LeftButton);
        t.KliknijWiersz(6);
        QTest::mouseClick(f.SpeedButtonUsun, Qt::LeftButton);
        t.KliknijWiersz(0);
        t.odpowiedz = false;
        QTest::mouseClick(f.SpeedButtonUsun, Qt::LeftButton);
        QCOMPARE(t.okna, (QStringList{"Informacja|Zaznacz rozkaz do usunięcia!",
                                      "Informacja|Rozkazu \"stop\" nie można usunąć!",
                                      "Pytanie|Usunąć rozkaz \"dod\"?"}));
        QCOMPARE(t.s.ListaRozkazow.Count(), 7);

        // Pending edits are not stored by a removal.
        f.EditOpis->setText(QStringLiteral("zmieniony"));
        t.odpowiedz = true;
        QTest::mouseClick(f.SpeedButtonUsun, Qt::LeftButton);
        QCOMPARE(t.s.ListaRozkazow.Count(), 6);
        QCOMPARE(f.ListViewRozkaz->topLevelItem(0)->text(2), QStringLiteral("stop"));
        QCOMPARE(f.Label1_->text(), QStringLiteral("stop"));
        QCOMPARE(f.EditOpis->text(), QStringLiteral("Zatrzymuje maszynę."));
        QVERIFY(f.ListViewRozkaz->selectedItems().isEmpty());
        QCOMPARE(t.s.PamiecMikroprogramu.Wiersz(1).Rozkaz, std::string()); // recompiled
    }

    void zmianaNazwyNaIstniejacaDajeUnikalna() {
        TEdytor t;
        TFrameRozkaz& f = t.f;
        QVERIFY(t.Aktywny());
        f.SpeedButtonDodajClick(); // "nop7"
        f.EditNazwa->setFocus();
        f.EditNazwa->selectAll();
        Wpisz(f.EditNazwa, QStringLiteral("dod"));
        QTest::keyClick(f.EditNazwa, Qt::Key_Tab); // leaves the field
        QCOMPARE(t.s.ListaRozkazow[8].Nazwa, std::string("dod1"));
        QCOMPARE((QStringList{f.EditNazwa->text(), f.Label1_->text(),
                              f.ListViewRozkaz->topLevelItem(7)->text(2)}),
                 (QStringList{"dod1", "dod1", "dod1"}));

        // The compile button stores the name as typed.
        f.EditNazwa->setText(QStringLiteral("dod"));
        f.SpeedButtonKompilujClick();
        QCOMPARE(t.s.ListaRozkazow[8].Nazwa, std::string("dod"));
        QCOMPARE(t.s.ListaRozkazow[1].Nazwa, std::string("dod"));
        QVERIFY(t.okna.isEmpty());

        // Of two of one name, the one shown is edited, not the last.
        const std::string drugi = t.s.ListaRozkazow[8].Opis;
        f.WyswietlRozkaz(1);
        f.EditOpis->setText(QStringLiteral("pierwszy"));
        f.SpeedButtonKompilujClick();
        QCOMPARE(t.s.ListaRozkazow[1].Opis + '|' + t.s.ListaRozkazow[8].Opis, "pierwszy|" + drugi);
    }

    void brakWyboruKoduOdmawiaZapisu() {
        TEdytor t;
        TFrameRozkaz& f = t.f;
        t.s.ListaRozkazow[1].Kod = 12; // beyond the largest code of a 3-bit code
        f.Odswiez();
        QCOMPARE(f.ComboBoxKod->currentIndex(), -1);
        f.EditNazwa->setText(QStringLiteral("nowa"));
        f.EditOpis->setText(QStringLiteral("inny opis"));
        QCOMPARE(f.ZapiszEdycje(), TFrameRozkaz::TZapis::Odmowa);
        // Compile and add refuse alike and change nothing.
        f.SpeedButtonKompilujClick();
        f.SpeedButtonDodajClick();
        QCOMPARE(t.okna,
                 QStringList(3, QStringLiteral("Informacja|Nie zapisano zmian rozkazu \"dod\": "
                                               "wybierz kod rozkazu z listy.")));
        const TRozkaz& r = t.s.ListaRozkazow[1];
        QCOMPARE(r.Nazwa + ' ' + std::to_string(r.Kod), std::string("dod 12"));
        QVERIFY(f.ListBox1->Teksty().isEmpty());
        QCOMPARE(t.s.ListaRozkazow.Count(), 7);

        // With a code chosen the store goes through.
        f.ComboBoxKod->setCurrentIndex(f.ComboBoxKod->findText(QStringLiteral("7")));
        QCOMPARE(f.ZapiszEdycje(), TFrameRozkaz::TZapis::Zapisano);
        QCOMPARE(r.Nazwa + ' ' + std::to_string(r.Kod), std::string("nowa 7"));

        // An argument count outside 0..9 is refused the same way.
        t.s.ListaRozkazow[2].LiczbaArgumentow = 12;
        f.WyswietlRozkaz(2);
        QCOMPARE(f.ZapiszEdycje(), TFrameRozkaz::TZapis::Odmowa);
        QCOMPARE(t.okna.last(), QStringLiteral("Informacja|Nie zapisano zmian rozkazu \"ode\": "
                                               "wybierz liczbę argumentów z listy."));
        QCOMPARE(t.s.ListaRozkazow[2].LiczbaArgumentow, 12);
    }

    // --- Microprogram views ----------------------------------------------------------

    void pamiecMikroprogramuWszystkieIBezPustych() {
        TSymulator s;
        s.ListaRozkazow.UsunWszystkie();
        s.KompilujMikroprogram();
        TFramePamiecMikroprogramu f(s);
        f.Odswiez();
        QVERIFY(f.SpeedButtonWszystkie->isChecked());
        QTableView* g = f.StringGridPamiecMikroprogramu;
        const QAbstractItemModel& m = *g->model();
        QCOMPARE(m.rowCount(), 9);
        QCOMPARE(g->verticalHeader()->defaultSectionSize(), 18);
        // The buttons refill the rows and keep the widths.
        const int przed = g->columnWidth(2);
        s.ListaRozkazow.UstawStandardowe();
        s.KompilujMikroprogram();
        QTest::mouseClick(f.SpeedButtonWszystkie, Qt::LeftButton);
        QCOMPARE(g->columnWidth(2), przed);
        QCOMPARE(Naglowki(m), (QStringList{"", "Rozkaz", "Sygnały", "", "=0", "=1"}));
        QCOMPARE(m.rowCount(), 15);
        QCOMPARE(Wiersz(m, 0), (QStringList{"-1", "", "czyt wys wei il", "", "?", "?"}));
        QCOMPARE(Wiersz(m, 7), (QStringList{"6", "som", "", "z", "13", "12"}));
        QCOMPARE(Wiersz(m, 8), (QStringList{"7", "", "", "", "-1", "-1"}));
        // The refresh measures the widest text anew.
        f.Odswiez();
        QVERIFY(g->columnWidth(2) > przed);
        QVERIFY(g->columnWidth(2) >= g->fontMetrics().horizontalAdvance(
                                         QStringLiteral("czyt wys weja przep weak wyl wea ")) +
                                         6);

        QTest::mouseClick(f.SpeedButtonUkryjPuste, Qt::LeftButton);
        QVERIFY(f.SpeedButtonUkryjPuste->isChecked() && !f.SpeedButtonWszystkie->isChecked());
        QCOMPARE(m.rowCount(), 14);
        QCOMPARE(Wiersz(m, 8).first(2), (QStringList{"8", "dod"}));
        f.PokazWszystkie();
        QVERIFY(f.SpeedButtonWszystkie->isChecked());
        QCOMPARE(m.rowCount(), 15);
        f.UkryjPuste();
        QVERIFY(f.SpeedButtonUkryjPuste->isChecked());
        QCOMPARE(m.rowCount(), 14);
        f.Odswiez(); // keeps the choice of the button that is down
        QCOMPARE(m.rowCount(), 14);
    }

    void oknoMikroprogramuZSladem() {
        TSymulator s;
        TFrameRozkaz f(s);
        f.Odswiez();
        f.SpeedButtonKompilujClick();
        QStringList naglowek, wiersz13, memo1, memo2, memo3;
        QTimer::singleShot(0, &f, [&] {
            const QAbstractItemModel& m = *f.FormMikroProgram->StringGridKod->model();
            naglowek = Naglowki(m);
            wiersz13 = Wiersz(m, 14);
            memo1 = f.FormMikroProgram->Memo1->toPlainText().split(QLatin1Char('\n'));
            memo2 = f.FormMikroProgram->Memo2->toPlainText().split(QLatin1Char('\n'));
            memo3 = f.FormMikroProgram->Memo3->toPlainText().split(QLatin1Char('\n'));
            QTest::mouseClick(f.FormMikroProgram->ButtonZamknij, Qt::LeftButton);
        });
        f.SpeedButton5->click();
        QCOMPARE(naglowek, QStringList(7, QString()));
        QCOMPARE(wiersz13, (QStringList{"13", "som", "som.dodatnia", "wyl wea ", "-1", "-1", ""}));
        QCOMPARE(memo2.mid(0, 2), (QStringList{"=dod=", ">czyt wys wei il ; <"}));
        QVERIFY(memo3.contains(QStringLiteral("|dodatnia|wyl wea ||;|")));
        QCOMPARE(memo1, (QStringList{"czyt wys wei il ; ", "stp ; "}));
        QVERIFY(f.SpeedButton5->isHidden());
        QCOMPARE(f.FormMikroProgram->PageControl->tabText(0), QStringLiteral("MikroProgram"));
    }

    // --- Shared pieces ---------------------------------------------------------------

    void obrazyListyKomunikatow() {
        TListaKomunikatow l;
        l.resize(300, 100);
        for (const char* t :
             {"Kompilacja", "[Błąd] ...(0): Za mało parametrów", "Czas kompilacji: poniżej 1 ms"})
            l.Dodaj(QString::fromUtf8(t));
        l.show();
        QCOMPARE(l.visualItemRect(l.item(0)).height(), TListaKomunikatow::WysokoscWiersza);
        const QImage obraz = l.viewport()->grab().toImage();
        const QColor tlo = l.palette().color(QPalette::Base);
        auto maObraz = [&](int wiersz) {
            const QRect r = l.visualItemRect(l.item(wiersz));
            for (int y = r.top(); y < r.top() + 16; ++y)
                for (int x = r.left() + 2; x < r.left() + 18; ++x)
                    if (obraz.pixelColor(x * obraz.width() / l.viewport()->width(),
                                         y * obraz.height() / l.viewport()->height()) != tlo)
                        return true;
            return false;
        };
        QVERIFY(maObraz(0));
        QVERIFY(!maObraz(1));
        QVERIFY(maObraz(2));
        QVERIFY(TListaKomunikatow::Obraz(0).toImage() != TListaKomunikatow::Obraz(1).toImage());
    }

    void kolorowanieSkladni() {
        const std::pair<const char*, bool> liczby[] = {
            {"-12", true}, {"$1F", true}, {"0x1f", true}, {"petla", false}, {"$-1", false}};
        for (auto [tekst, liczba] : liczby)
            QVERIFY2(WygladaNaLiczbe(QString::fromLatin1(tekst)) == liczba, tekst);

        TPanelProgramu t;
        TFrameProgram& f = t.f;
        f.UstawLinieProgramu({"petla: POB 5 // x", "      Ład petla", "kon"});
        const QTextDocument* d = f.Memo2->document();
        const QTextCharFormat etykieta = Format(d, 0, 0), mnemonik = Format(d, 0, 8),
                              liczba = Format(d, 0, 11), komentarz = Format(d, 0, 14),
                              nieznany = Format(d, 1, 6), kon = Format(d, 2, 0);
        QVERIFY(etykieta.fontWeight() == QFont::Bold);
        QVERIFY(mnemonik.fontWeight() == QFont::Bold);
        QVERIFY(mnemonik.foreground() != etykieta.foreground());
        QVERIFY(liczba.foreground() != mnemonik.foreground());
        QVERIFY(komentarz.fontItalic());
        // "Ł" is not folded, so "Ład" is not the instruction "ład".
        QCOMPARE(nieznany.underlineStyle(), QTextCharFormat::WaveUnderline);
        QVERIFY(kon.fontWeight() == QFont::Bold);

        TFrameRozkaz r(t.s);
        r.Odswiez();
        r.Memo1->setPlainText(QStringLiteral("et: wyx wea ; if !z then et ;"));
        auto fm = [&](int kolumna) { return Format(r.Memo1->document(), 0, kolumna); };
        QCOMPARE(fm(4).underlineStyle(), QTextCharFormat::WaveUnderline); // wyx: no X in preset "K"
        QCOMPARE(fm(8).underlineStyle(), QTextCharFormat::NoUnderline);   // wea
        QVERIFY(fm(12).fontWeight() == QFont::Bold);                      // ;
        QVERIFY(fm(14).fontWeight() == QFont::Bold);                      // if
        QVERIFY(fm(17).foreground() != fm(8).foreground());               // !z
        QVERIFY(fm(0).foreground() == fm(26).foreground());               // et: and et
    }
};

std::unique_ptr<QObject> TestyPaneliEdycji() {
    return std::make_unique<TestPaneleEdycji>();
}

#include "test_panele_edycji.moc"
