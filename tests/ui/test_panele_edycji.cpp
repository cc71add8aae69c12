// The program panel, the instruction editor and the microprogram views, driven as a user
// drives them: keys into the editors, clicks on the buttons and the lists.

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableView>
#include <QTableWidget>
#include <QTextBlock>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>

#include "EdytorKodu.h"
#include "ListaKomunikatow.h"
#include "Podswietlanie.h"
#include "TFormCompile.h"
#include "TFormMikroProgram.h"
#include "TFramePamiecMikroprogramu.h"
#include "TFrameProgram.h"
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

// The cells of row r, or with r -1 the column headers.
QStringList Wiersz(const QAbstractItemModel& m, int r) {
    QStringList w;
    for (int k = 0; k < m.columnCount(); ++k)
        w << (r < 0 ? m.headerData(k, Qt::Horizontal) : m.index(r, k).data()).toString();
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

const QString PrzykladowyProgram = QStringLiteral("        pob zero\n"
                                                  "        ład liczba\n"
                                                  "petla:  sob petla  //skok\n"
                                                  "\n"
                                                  "liczba: rpa\n"
                                                  "zero:   rst 0\n");

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
        f.PokazOkno = [this](TOkno rodzaj, const QString& tekst,
                             const std::function<void(bool)>& koniec) {
            okna << (rodzaj == TOkno::Informacja ? QStringLiteral("Informacja|")
                                                 : QStringLiteral("Pytanie|")) +
                        tekst;
            if (koniec) koniec(odpowiedz);
        };
        f.show();
        f.Odswiez();
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
        QCOMPARE(f.LinieProgramu().size(), std::size_t{6});
        s.Maszyna.UstawRejestr(Slot::L, 9);
        QTest::keyClick(f.Memo2, Qt::Key_F9, Qt::ControlModifier);
        const QStringList k = f.ListBox1->Teksty();
        QVERIFY2(k.size() == 2 && k[0] == QStringLiteral("Kompilacja") &&
                     LiniaCzasu.match(k[1]).hasMatch(),
                 qPrintable(k.join(QLatin1Char('|'))));
        QCOMPARE(s.Maszyna.CzytajPaO(1), 3u * 32 + 3); // "ład": the Polish letter went through
        // The machine is reset afterwards and the window told so; the text stays.
        QCOMPARE(s.Maszyna.Wartosc(Slot::L) + 10 * skompilowano.count(), 10u);
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
        for (auto [tekst, linie] :
             {std::pair{"", 0}, {"a", 1}, {"a\n", 1}, {"a\n\n", 2}, {"a\nb", 2}}) {
            e->setPlainText(QString::fromLatin1(tekst));
            QVERIFY2(e->LiczbaLinii() == linie && e->Linie().size() == linie, tekst);
        }
        e->UstawLinie({"a", ""});
        QCOMPARE(e->LiczbaLinii(), 2);
        // Ctrl+A selects the whole text; Tab types a tab and keeps the focus in the editor.
        f.Memo2->clear();
        f.Memo2->setFocus();
        Wpisz(f.Memo2, QStringLiteral("pob 1\nstop"));
        QTest::keyClick(f.Memo2, Qt::Key_A, Qt::ControlModifier);
        QCOMPARE(f.Memo2->textCursor().selectedText(), QStringLiteral("pob 1\u2029stop"));
        QTest::keyClick(f.Memo2, Qt::Key_End, Qt::ControlModifier);
        QTest::keyClick(f.Memo2, Qt::Key_Tab);
        QCOMPARE(f.Memo2->toPlainText(), QStringLiteral("pob 1\nstop\t"));
    }

    void siatkaPrzerwanZalezyOdArchitektury() {
        // The panel hears of the architecture from the owner alone: nobody refreshes it.
        TPanelProgramu t;
        TFrameProgram& f = t.f;
        QVERIFY(f.PanelIRQ->isHidden());
        QVERIFY(t.s.ZastosujPreset("L"));
        QVERIFY(f.StringGrid_IRQ->isVisible());
        QCOMPARE(f.StringGrid_IRQ->item(7, 0)->text() + f.StringGrid_IRQ->item(7, 1)->text(),
                 QStringLiteral("Przerwanie nr 8int8"));
        QCOMPARE(f.StringGrid_IRQ->height(), 9 * 19 + 4);
        QVERIFY(t.s.ZastosujPreset("K"));
        QVERIFY(f.PanelIRQ->isHidden());
        // So does a program text loaded through the owner.
        std::string blad;
        QVERIFY(t.s.WczytajProgramZBajtow("pob 1\r\nstop\r\n", blad));
        QCOMPARE(f.Memo2->toPlainText(), QStringLiteral("pob 1\nstop"));
    }

    void oknaWynikow() {
        // The assembly's labels and words, then the microprogram's table and trace.
        TPanelProgramu t;
        TFrameProgram& f = t.f;
        f.UstawLinieProgramu({"a: b: pob a", "c: rst 5"});
        f.Kompiluj();
        QStringList etykiety, slowa, wiersz13, slad;
        QTimer::singleShot(0, &f, [&] {
            for (int i = 0; i < f.FormCompile->ListView1->topLevelItemCount(); ++i)
                etykiety
                    << Kolumny(f.FormCompile->ListView1->topLevelItem(i)).join(QLatin1Char('='));
            slowa = f.FormCompile->Memo5->toPlainText().split(QLatin1Char('\n'));
            QTest::mouseClick(f.FormCompile->ButtonZamknij, Qt::LeftButton);
        });
        f.SpeedButton2->click();
        QTRY_VERIFY(f.FormCompile->isHidden());
        QCOMPARE(etykiety, (QStringList{"a=0", "b=0", "c=1"}));
        QCOMPARE(slowa, (QStringList{"0 4 0 110 ", "1 0 5 010 "}));
        TFrameRozkaz r(t.s);
        r.Odswiez();
        r.SpeedButtonKompilujClick();
        QTimer::singleShot(0, &r, [&] {
            wiersz13 = Wiersz(*r.FormMikroProgram->StringGridKod->model(), 14);
            slad = r.FormMikroProgram->Memo2->toPlainText().split(QLatin1Char('\n')).mid(0, 2);
            QTest::mouseClick(r.FormMikroProgram->ButtonZamknij, Qt::LeftButton);
        });
        r.SpeedButton5->click();
        QTRY_VERIFY(r.FormMikroProgram->isHidden());
        QCOMPARE(wiersz13, (QStringList{"13", "som", "som.dodatnia", "wyl wea ", "-1", "-1", ""}));
        QCOMPARE(slad, (QStringList{"=dod=", ">czyt wys wei il ; <"}));
        QVERIFY(f.SpeedButton2->isHidden() && r.SpeedButton5->isHidden());
    }

    // --- Instruction editor ----------------------------------------------------------

    void edytorRozkazow() {
        // Every box the steps bring up is checked at the end, in order.
        TEdytor t;
        TFrameRozkaz& f = t.f;
        QTreeWidget* l = f.ListViewRozkaz;
        QVERIFY(l->isColumnHidden(0));
        QCOMPARE(Kolumny(l->headerItem()),
                 (QStringList{"ID", "Kod", "Nazwa", "Liczba argumentów", "Opis działania"}));
        QCOMPARE(Kolumny(l->topLevelItem(2)).first(4), (QStringList{"3", "3", "ład", "1"}));
        QCOMPARE((QStringList{f.Label_Info->text(), f.Label1_->text(),
                              f.ComboBoxLiczbaArgumentow->currentText()}),
                 (QStringList{"Aktualnie edytujesz rozkaz", "dod", "1"}));
        QTest::mouseClick(f.SpeedButtonUsun, Qt::LeftButton); // no row chosen
        // The field being edited is stored as a click on a row takes the focus.
        QApplication::setActiveWindow(&f);
        QVERIFY(QTest::qWaitForWindowActive(&f));
        t.KliknijWiersz(5);
        f.EditOpis->setFocus();
        QTest::keyClick(f.EditOpis, Qt::Key_End);
        Wpisz(f.EditOpis, QStringLiteral(" Uwaga."));
        t.KliknijWiersz(1);
        QVERIFY(QString::fromStdString(t.s.ListaRozkazow[6].Opis)
                    .endsWith(QStringLiteral("równy 1). Uwaga.")));
        QCOMPARE(f.Label1_->text(), QStringLiteral("ode"));
        // "stop" is read-only, the others are not.
        f.WyswietlRozkaz(7);
        QCOMPARE(t.Edytowalne(), QList<bool>(5, false));
        f.WyswietlRozkaz(2);
        QCOMPARE(t.Edytowalne(), QList<bool>(5, true));
        // The codes offered: its own and the free ones, until the last is taken.
        f.WyswietlRozkaz(5);
        QCOMPARE(t.Kody(), (QStringList{"5", "7"}));
        QTest::mouseClick(f.SpeedButtonDodaj, Qt::LeftButton);
        QCOMPARE(f.Label1_->text(), QStringLiteral("nop7"));
        f.WyswietlRozkaz(5);
        QCOMPARE(t.Kody(), (QStringList{"5"}));
        QTest::mouseClick(f.SpeedButtonDodaj, Qt::LeftButton);
        QCOMPARE(t.s.ListaRozkazow.Count(), 8);
        // A name taken already gets a number when the field is left.
        f.WyswietlRozkaz(8);
        f.EditNazwa->setFocus();
        f.EditNazwa->selectAll();
        Wpisz(f.EditNazwa, QStringLiteral("dod"));
        QTest::keyClick(f.EditNazwa, Qt::Key_Tab);
        QCOMPARE(t.s.ListaRozkazow[8].Nazwa + ' ' + f.Label1_->text().toStdString(),
                 std::string("dod1 dod1"));
        // A code or an argument count that is not on its list refuses the store.
        t.s.ListaRozkazow[1].Kod = 12;
        t.s.ListaRozkazow[2].LiczbaArgumentow = 12;
        f.WyswietlRozkaz(1);
        QCOMPARE(f.ComboBoxKod->currentIndex(), -1);
        f.EditNazwa->setText(QStringLiteral("nowa"));
        QCOMPARE(f.ZapiszEdycje(), TFrameRozkaz::TZapis::Odmowa);
        f.SpeedButtonKompilujClick();
        QVERIFY(f.ListBox1->Teksty().isEmpty());
        QCOMPARE(t.s.ListaRozkazow[1].Nazwa, std::string("dod"));
        f.ComboBoxKod->setCurrentIndex(f.ComboBoxKod->findText(QStringLiteral("1")));
        QCOMPARE(f.ZapiszEdycje(), TFrameRozkaz::TZapis::Zapisano);
        f.WyswietlRozkaz(2);
        QCOMPARE(f.ZapiszEdycje(), TFrameRozkaz::TZapis::Odmowa);
        // Removal: not "stop"; a refusal keeps the row, and pending edits are not stored. A
        // click on a row while the refused edit is shown says why again.
        t.KliknijWiersz(6);
        QTest::mouseClick(f.SpeedButtonUsun, Qt::LeftButton);
        t.KliknijWiersz(0);
        t.odpowiedz = false;
        QTest::mouseClick(f.SpeedButtonUsun, Qt::LeftButton);
        QCOMPARE(t.s.ListaRozkazow.Count(), 8);
        f.EditOpis->setText(QStringLiteral("zmieniony"));
        t.odpowiedz = true;
        QTest::mouseClick(f.SpeedButtonUsun, Qt::LeftButton);
        QCOMPARE(t.s.ListaRozkazow.Count(), 7);
        QCOMPARE(f.Label1_->text() + '|' + f.EditOpis->text(), QStringLiteral("dod1|<Opis>"));
        const QString odmowa =
            QStringLiteral("Informacja|Nie zapisano zmian rozkazu \"%1\": wybierz %2 z listy.");
        QCOMPARE(t.okna,
                 QStringList({"Informacja|Zaznacz rozkaz do usunięcia!",
                              "Informacja|Osiągnięto limit rozkazów.\nZwiększ ilość bitów kodu!"})
                     << QStringList(2, odmowa.arg("dod", "kod rozkazu"))
                     << QStringList(2, odmowa.arg("ode", "liczbę argumentów"))
                     << "Informacja|Rozkazu \"stop\" nie można usunąć!"
                     << QStringList(2, QStringLiteral("Pytanie|Usunąć rozkaz \"nowa\"?")));
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
        // A double click on a message opens its instruction with the word selected.
        const std::tuple<int, const char*, const char*, int> wiersze[] = {
            {1, "ode", "WYX", 2}, {2, "pob", "if z then", 2}};
        for (const auto& [wiersz, nazwa, slowo, linia] : wiersze) {
            Dwuklik(f.ListBox1, f.ListBox1->item(wiersz));
            QCOMPARE(f.Label1_->text() + '|' + f.Memo1->textCursor().selectedText() + '|' +
                         QString::number(f.Memo1->textCursor().blockNumber()),
                     QStringLiteral("%1|%2|%3").arg(nazwa, QString::fromUtf8(slowo)).arg(linia));
        }
    }

    // --- Microprogram views ----------------------------------------------------------

    void pamiecMikroprogramuWszystkieIBezPustych() {
        TSymulator s;
        s.KompilujMikroprogram();
        TFramePamiecMikroprogramu f(s);
        f.Odswiez();
        QVERIFY(f.SpeedButtonWszystkie->isChecked());
        QTableView* g = f.StringGridPamiecMikroprogramu;
        const QAbstractItemModel& m = *g->model();
        QCOMPARE(Wiersz(m, -1), (QStringList{"", "Rozkaz", "Sygnały", "", "=0", "=1"}));
        QCOMPARE(m.rowCount(), 15);
        QCOMPARE(Wiersz(m, 0), (QStringList{"-1", "", "czyt wys wei il", "", "?", "?"}));
        QCOMPARE(Wiersz(m, 7), (QStringList{"6", "som", "", "z", "13", "12"}));
        QVERIFY(g->columnWidth(2) >= g->fontMetrics().horizontalAdvance(
                                         QStringLiteral("czyt wys weja przep weak wyl wea ")) +
                                         6);
        QTest::mouseClick(f.SpeedButtonUkryjPuste, Qt::LeftButton);
        QVERIFY(f.SpeedButtonUkryjPuste->isChecked() && !f.SpeedButtonWszystkie->isChecked());
        QCOMPARE(Wiersz(m, 8).first(2), (QStringList{"8", "dod"}));
        f.Odswiez(); // keeps the choice of the button that is down
        QCOMPARE(m.rowCount(), 14);
        f.PokazWszystkie();
        QCOMPARE(m.rowCount(), 15);
    }

    // --- Shared pieces ---------------------------------------------------------------

    void obrazyListyKomunikatow() {
        TListaKomunikatow l;
        l.resize(300, 100);
        for (const char* t :
             {"Kompilacja", "[Błąd] ...(0): Za mało parametrów", "Czas kompilacji: poniżej 1 ms"})
            l.Dodaj(QString::fromUtf8(t));
        l.show();
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
    }

    void kolorowanieSkladni() {
        TPanelProgramu t;
        TFrameProgram& f = t.f;
        f.UstawLinieProgramu({"petla: POB 5 // x", "      Ład petla", "kon"});
        const QTextDocument* d = f.Memo2->document();
        const QTextCharFormat etykieta = Format(d, 0, 0), mnemonik = Format(d, 0, 8),
                              liczba = Format(d, 0, 11), komentarz = Format(d, 0, 14),
                              nieznany = Format(d, 1, 6), kon = Format(d, 2, 0);
        QVERIFY(etykieta.fontWeight() == QFont::Bold);
        QVERIFY(mnemonik.fontWeight() == QFont::Bold);
        QVERIFY(liczba.foreground() != mnemonik.foreground() && komentarz.fontItalic());
        // "Ł" is not folded, so "Ład" is not the instruction "ład".
        QCOMPARE(nieznany.underlineStyle(), QTextCharFormat::WaveUnderline);
        QVERIFY(kon.fontWeight() == QFont::Bold);

        TFrameRozkaz r(t.s);
        r.Odswiez();
        r.Memo1->setPlainText(QStringLiteral("et: wyx wea ; if !z then et ;"));
        auto fm = [&](int kolumna) { return Format(r.Memo1->document(), 0, kolumna); };
        QCOMPARE(fm(4).underlineStyle(), QTextCharFormat::WaveUnderline); // wyx: no X in preset "K"
        QCOMPARE(fm(8).underlineStyle(), QTextCharFormat::NoUnderline);   // wea
        QVERIFY(fm(14).fontWeight() == QFont::Bold);                      // if
        QVERIFY(fm(0).foreground() == fm(26).foreground());               // et: and et
    }
};

std::unique_ptr<QObject> TestyPaneliEdycji() {
    return std::make_unique<TestPaneleEdycji>();
}

#include "test_panele_edycji.moc"
