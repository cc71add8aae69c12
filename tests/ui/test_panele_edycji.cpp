// The program panel, the instruction editor and the microprogram views, driven as a user
// drives them: keys into the editors, clicks on the buttons and the lists.

#include <QApplication>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTextBlock>
#include <QSignalSpy>
#include <QTableView>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>

#include "EdytorKodu.h"
#include "ListaKomunikatow.h"
#include "ModelPamieciMikroprogramu.h"
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

// Types text as key presses; "\n" is the Return key. Characters outside Latin-1 ("ł")
// go as the text of a key event, as an input method sends them.
void Wpisz(QWidget* w, const QString& tekst) {
    for (QChar z : tekst) {
        if (z == QLatin1Char('\n'))
            QTest::keyClick(w, Qt::Key_Return);
        else
            QTest::sendKeyEvent(QTest::Click, w, Qt::Key_unknown, QString(z), Qt::NoModifier);
    }
}

// A double click as the window system delivers it: press, release, double click, release.
void Dwuklik(QWidget* w, QPoint miejsce) {
    QTest::mouseClick(w, Qt::LeftButton, {}, miejsce);
    QTest::mouseDClick(w, Qt::LeftButton, {}, miejsce);
    QTest::mouseRelease(w, Qt::LeftButton, {}, miejsce);
}

QStringList Wiersz(const QAbstractItemModel& m, int r) {
    QStringList w;
    for (int k = 0; k < m.columnCount(); ++k) w << m.index(r, k).data().toString();
    return w;
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

const QRegularExpression LiniaCzasu(QStringLiteral("^Czas kompilacji: (poniżej 1 ms|[1-9][0-9]* ms)$"));

struct TOdpowiedzi {
    QList<QPair<TOkno, QString>> okna;
    bool odpowiedz = true;
    std::function<bool(TOkno, const QString&)> Funkcja() {
        return [this](TOkno r, const QString& t) {
            okna.append({r, t});
            return odpowiedz;
        };
    }
};

} // namespace

class TestPaneleEdycji : public QObject {
    Q_OBJECT
  private slots:
    // Program panel
    void przykladWpisanyIKompilowanyDajeSlowaPamieci();
    void przykladKompilowanyCtrlF9WOknieGlownym();
    void bledyProgramuMiedzyKompilacjaACzasem();
    void dwuklikKomunikatuPokazujeLinie();
    void ctrlAZaznaczaCalyTekst();
    void linieProgramuBezPustejNaKoncu();
    void siatkaPrzerwanZalezyOdArchitektury();
    void oknoWynikuKompilacji();
    void ukrytyWyborProgramu();

    // Instruction editor
    void listaRozkazowIPierwszyRozkaz();
    void kodySobIDodawanieDoLimitu();
    void stopTylkoDoOdczytu();
    void kompilacjaZglaszaNiedozwolonySygnal();
    void dwuklikKomunikatuZaznaczaSlowo();
    void usuwanieZPytaniem();
    void zmianaNazwyNaIstniejacaDajeUnikalna();
    void brakWyboruKoduOdmawiaZapisu();
    void edycjaJednegoZDwochORownejNazwie();

    // Microprogram views
    void pokazWszystkieIUkryjPuste();
    void przyciskiNieZmieniajaSzerokosci();
    void oknoMikroprogramuZSladem();

    // Shared pieces
    void obrazyListyKomunikatow();
    void kolorowanieSkladni();
};

// --- Program panel -------------------------------------------------------------------

void TestPaneleEdycji::przykladWpisanyIKompilowanyDajeSlowaPamieci() {
    TSymulator s;
    TFrameProgram f(s);
    f.show();
    QSignalSpy skompilowano(&f, &TFrameProgram::Skompilowano);
    f.Memo2->setFocus();
    Wpisz(f.Memo2, PrzykladowyProgram);
    QCOMPARE(f.LinieProgramu().size(), std::size_t{14});
    QCOMPARE(f.LinieProgramu()[2], std::string("        ład liczba"));

    s.Maszyna.UstawRejestr(Slot::AK, 77);
    s.Maszyna.UstawRejestr(Slot::L, 9);
    QTest::mouseClick(f.SpeedButtonKompiluj, Qt::LeftButton);

    const QStringList komunikaty = f.ListBox1->Teksty();
    QCOMPARE(komunikaty.size(), 2);
    QCOMPARE(komunikaty[0], QStringLiteral("Kompilacja"));
    QVERIFY2(LiniaCzasu.match(komunikaty[1]).hasMatch(), qPrintable(komunikaty[1]));
    const std::vector<std::pair<int, std::uint32_t>> slowa = {{0, 149}, {1, 116}, {2, 148}, {3, 54}, {4, 116},
                                                               {5, 162}, {6, 0},   {20, 0},  {21, 0}, {22, 1}};
    for (auto [adres, slowo] : slowa) QCOMPARE(s.Maszyna.CzytajPaO(adres), slowo);
    QCOMPARE(s.Maszyna.PaO().Rozmiar(), std::size_t{10});
    QCOMPARE(s.Maszyna.PaO().Znajdz(21)->Rodzaj, std::string("010"));
    // The machine is reset afterwards and the window told so.
    QCOMPARE(s.Maszyna.Wartosc(Slot::AK), 0u);
    QCOMPARE(s.Maszyna.Wartosc(Slot::L), 0u);
    QCOMPARE(s.Maszyna.BiezacyWiersz(), -1);
    QCOMPARE(skompilowano.count(), 1);
}

void TestPaneleEdycji::przykladKompilowanyCtrlF9WOknieGlownym() {
    TSymulator s;
    TFormMain okno(s);
    okno.show();
    QTest::mouseClick(okno.SpeedButtonProgram, Qt::LeftButton);
    TFrameProgram& f = *okno.FrameProgram1;
    QVERIFY(f.isVisible());
    f.Memo2->setFocus();
    Wpisz(f.Memo2, PrzykladowyProgram);
    QTest::keyClick(f.Memo2, Qt::Key_F9, Qt::ControlModifier);
    QCOMPARE(f.ListBox1->count(), 2);
    QCOMPARE(f.ListBox1->item(0)->text(), QStringLiteral("Kompilacja"));
    const std::uint32_t slowa[] = {149, 116, 148, 54, 116, 162, 0};
    for (int a = 0; a < 7; ++a) QCOMPARE(s.Maszyna.CzytajPaO(a), slowa[a]);
    QCOMPARE(s.Maszyna.CzytajPaO(22), 1u);
    QCOMPARE(f.Memo2->toPlainText(), PrzykladowyProgram);
}

void TestPaneleEdycji::bledyProgramuMiedzyKompilacjaACzasem() {
    TSymulator s;
    TFrameProgram f(s);
    f.Kompiluj();
    QCOMPARE(f.ListBox1->count(), 2);
    QCOMPARE(f.ListBox1->item(0)->text(), QStringLiteral("Kompilacja"));
    QVERIFY(LiniaCzasu.match(f.ListBox1->item(1)->text()).hasMatch());

    f.UstawLinieProgramu({"xyz", "  sob", "stop"});
    f.Kompiluj();
    const QStringList k = f.ListBox1->Teksty();
    QCOMPARE(k.size(), 4);
    QCOMPARE(k[0], QStringLiteral("Kompilacja"));
    QCOMPARE(k[1], QStringLiteral("[Błąd] ...(0): Nieznana instrukcja \"xyz\""));
    QCOMPARE(k[2], QStringLiteral("[Błąd] ...(1): Za mało parametrów"));
    QVERIFY(LiniaCzasu.match(k[3]).hasMatch());
    // The words are loaded all the same.
    QCOMPARE(s.Maszyna.CzytajPaO(1), 5u * 32);
}

void TestPaneleEdycji::dwuklikKomunikatuPokazujeLinie() {
    TSymulator s;
    TFrameProgram f(s);
    f.show();
    f.UstawLinieProgramu({"stop", "", "// komentarz", "  pob 1 2", "stop"});
    f.Kompiluj();
    QCOMPARE(f.ListBox1->item(1)->text(), QStringLiteral("[Błąd] ...(3): Za dużo parametrów"));
    const QRect r = f.ListBox1->visualItemRect(f.ListBox1->item(1));
    Dwuklik(f.ListBox1->viewport(), r.center());
    QCOMPARE(f.Memo2->textCursor().blockNumber(), 3);
    // Lines without a line number lead nowhere.
    f.Memo2->moveCursor(QTextCursor::Start);
    Dwuklik(f.ListBox1->viewport(), f.ListBox1->visualItemRect(f.ListBox1->item(0)).center());
    QCOMPARE(f.Memo2->textCursor().blockNumber(), 0);
}

void TestPaneleEdycji::ctrlAZaznaczaCalyTekst() {
    TSymulator s;
    TFrameProgram f(s);
    f.show();
    f.Memo2->setFocus();
    Wpisz(f.Memo2, QStringLiteral("pob 1\nstop"));
    QTest::keyClick(f.Memo2, Qt::Key_A, Qt::ControlModifier);
    QCOMPARE(f.Memo2->textCursor().selectedText(), QStringLiteral("pob 1\u2029stop"));
    QCOMPARE(f.Memo2->toPlainText(), QStringLiteral("pob 1\nstop"));
    // Tab types a tab and keeps the focus in the editor.
    QTest::keyClick(f.Memo2, Qt::Key_End, Qt::ControlModifier);
    QTest::keyClick(f.Memo2, Qt::Key_Tab);
    QCOMPARE(f.Memo2->toPlainText(), QStringLiteral("pob 1\nstop\t"));
}

void TestPaneleEdycji::linieProgramuBezPustejNaKoncu() {
    TSymulator s;
    TFrameProgram f(s);
    QVERIFY(f.LinieProgramu().empty());
    f.UstawLinieProgramu({"\tpob 1 // x", "", "stop"});
    QCOMPARE(f.LinieProgramu(), (std::vector<std::string>{"\tpob 1 // x", "", "stop"}));
    f.Memo2->setPlainText(QStringLiteral("a\nb\n"));
    QCOMPARE(f.LinieProgramu(), (std::vector<std::string>{"a", "b"}));
    f.UstawLinieProgramu({""});
    QCOMPARE(f.LinieProgramu(), (std::vector<std::string>{""}));
}

void TestPaneleEdycji::siatkaPrzerwanZalezyOdArchitektury() {
    TSymulator s;
    TFrameProgram f(s);
    f.show();
    f.Odswiez();
    QVERIFY(f.PanelIRQ->isHidden());
    QVERIFY(s.ZastosujPreset("L"));
    f.Odswiez();
    QVERIFY(!f.PanelIRQ->isHidden());
    QVERIFY(f.StringGrid_IRQ->isVisible());
    QCOMPARE(f.StringGrid_IRQ->rowCount(), 8);
    QCOMPARE(f.StringGrid_IRQ->horizontalHeaderItem(1)->text(), QStringLiteral("Etykieta"));
    for (int i = 1; i <= 8; ++i) {
        QCOMPARE(f.StringGrid_IRQ->item(i - 1, 0)->text(), QStringLiteral("Przerwanie nr %1").arg(i));
        QCOMPARE(f.StringGrid_IRQ->item(i - 1, 1)->text(), QStringLiteral("int%1").arg(i));
    }
    QCOMPARE(f.StringGrid_IRQ->columnWidth(0), f.StringGrid_IRQ->columnWidth(1));
    QCOMPARE(f.StringGrid_IRQ->height(), 9 * 19 + 4);
    QVERIFY(s.ZastosujPreset("K"));
    f.Odswiez();
    QVERIFY(f.PanelIRQ->isHidden());
}

void TestPaneleEdycji::oknoWynikuKompilacji() {
    TSymulator s;
    TFrameProgram f(s);
    f.UstawLinieProgramu({"a: b: pob a", "c: rst 5"});
    f.Kompiluj();
    QStringList etykiety, zrodlo, slowa;
    QTimer::singleShot(0, &f, [&] {
        for (int i = 0; i < f.FormCompile->ListView1->topLevelItemCount(); ++i)
            etykiety << f.FormCompile->ListView1->topLevelItem(i)->text(0) + QLatin1Char('=') +
                            f.FormCompile->ListView1->topLevelItem(i)->text(1);
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

void TestPaneleEdycji::ukrytyWyborProgramu() {
    TSymulator s;
    s.ListaProgramow[1].Tekst = {"stop"};
    TFrameProgram f(s);
    f.WypelnijListeProgramow();
    QCOMPARE(f.ComboBoxProgram->count(), 1);
    QCOMPARE(f.ComboBoxProgram->itemText(0), QStringLiteral("Program"));
    f.ComboBoxProgram->setCurrentIndex(0);
    f.WybierzProgram();
    QCOMPARE(f.LinieProgramu(), (std::vector<std::string>{"stop"}));
    QVERIFY(f.ComboBoxProgram->isHidden());
}

// --- Instruction editor --------------------------------------------------------------

void TestPaneleEdycji::listaRozkazowIPierwszyRozkaz() {
    TSymulator s;
    TFrameRozkaz f(s);
    f.Odswiez();
    QTreeWidget* l = f.ListViewRozkaz;
    QCOMPARE(l->topLevelItemCount(), 7);
    QVERIFY(l->isColumnHidden(0));
    const QStringList naglowki = {"ID", "Kod", "Nazwa", "Liczba argumentów", "Opis działania"};
    for (int k = 0; k < 5; ++k) QCOMPARE(l->headerItem()->text(k), naglowki[k]);
    QCOMPARE(l->topLevelItem(2)->text(0), QStringLiteral("3"));
    QCOMPARE(l->topLevelItem(2)->text(1), QStringLiteral("3"));
    QCOMPARE(l->topLevelItem(2)->text(2), QStringLiteral("ład"));
    QCOMPARE(l->topLevelItem(6)->text(2), QStringLiteral("stop"));
    QCOMPARE(l->topLevelItem(6)->text(3), QStringLiteral("0"));
    QCOMPARE(f.Label_Info->text(), QStringLiteral("Aktualnie edytujesz rozkaz"));
    QCOMPARE(f.Label1_->text(), QStringLiteral("dod"));
    QVERIFY(f.Label1_->font().bold());
    QCOMPARE(f.EditNazwa->text(), QStringLiteral("dod"));
    QCOMPARE(f.ComboBoxLiczbaArgumentow->currentText(), QStringLiteral("1"));
    QCOMPARE(f.ComboBoxLiczbaArgumentow->count(), 10);
    QCOMPARE(f.Memo1->Linie(), (QStringList{"czyt wys wei il ;", "wyad wea ;", "czyt wys weja dod weak wyl wea ;"}));

    // A click on a row shows its instruction.
    f.show();
    QTest::mouseClick(l->viewport(), Qt::LeftButton, {}, l->visualItemRect(l->topLevelItem(5)).center());
    QCOMPARE(f.Label1_->text(), QStringLiteral("som"));
    QCOMPARE(f.Pozycja(), 6);
    QCOMPARE(f.Memo1->Linie().size(), 4);

    // The field being edited is stored as the click takes the focus, then the row shown.
    QApplication::setActiveWindow(&f);
    QVERIFY(QTest::qWaitForWindowActive(&f));
    f.EditOpis->setFocus();
    QTest::keyClick(f.EditOpis, Qt::Key_End);
    Wpisz(f.EditOpis, QStringLiteral(" Uwaga."));
    QTest::mouseClick(l->viewport(), Qt::LeftButton, {}, l->visualItemRect(l->topLevelItem(1)).center());
    QVERIFY(QString::fromStdString(s.ListaRozkazow[6].Opis).endsWith(QStringLiteral("równy 1). Uwaga.")));
    QVERIFY(l->topLevelItem(5)->text(4).endsWith(QStringLiteral(" Uwaga.")));
    QCOMPARE(f.Label1_->text(), QStringLiteral("ode"));
    QCOMPARE(f.EditOpis->text(), QString::fromStdString(s.ListaRozkazow[2].Opis));
}

void TestPaneleEdycji::kodySobIDodawanieDoLimitu() {
    TSymulator s;
    TFrameRozkaz f(s);
    TOdpowiedzi o;
    f.PokazOkno = o.Funkcja();
    f.Odswiez();
    auto kody = [&] {
        QStringList k;
        for (int i = 0; i < f.ComboBoxKod->count(); ++i) k << f.ComboBoxKod->itemText(i);
        return k;
    };
    f.WyswietlRozkaz(5);
    QCOMPARE(f.Label1_->text(), QStringLiteral("sob"));
    QCOMPARE(kody(), (QStringList{"5", "7"}));
    QCOMPARE(f.ComboBoxKod->currentText(), QStringLiteral("5"));

    QTest::mouseClick(f.SpeedButtonDodaj, Qt::LeftButton);
    QCOMPARE(s.ListaRozkazow.Count(), 8);
    QCOMPARE(s.ListaRozkazow[8].Nazwa, std::string("nop7"));
    QCOMPARE(s.ListaRozkazow[8].Kod, 7);
    QCOMPARE(f.Label1_->text(), QStringLiteral("nop7"));
    QCOMPARE(f.ListViewRozkaz->topLevelItemCount(), 8);
    QVERIFY(o.okna.isEmpty());
    f.WyswietlRozkaz(5);
    QCOMPARE(kody(), (QStringList{"5"}));

    QTest::mouseClick(f.SpeedButtonDodaj, Qt::LeftButton);
    QCOMPARE(s.ListaRozkazow.Count(), 8);
    QCOMPARE(o.okna.size(), 1);
    QCOMPARE(o.okna[0].first, TOkno::Informacja);
    QCOMPARE(o.okna[0].second, QStringLiteral("Osiągnięto limit rozkazów.\nZwiększ ilość bitów kodu!"));
}

void TestPaneleEdycji::stopTylkoDoOdczytu() {
    TSymulator s;
    TFrameRozkaz f(s);
    f.Odswiez();
    f.WyswietlRozkaz(7);
    QCOMPARE(f.Label1_->text(), QStringLiteral("stop"));
    for (QWidget* w : std::initializer_list<QWidget*>{f.EditNazwa, f.ComboBoxKod, f.ComboBoxLiczbaArgumentow, f.EditOpis})
        QVERIFY(!w->isEnabled());
    QVERIFY(f.Memo1->isReadOnly());
    f.show();
    f.Memo1->setFocus();
    Wpisz(f.Memo1, QStringLiteral("wyx"));
    QCOMPARE(f.Memo1->Linie(), (QStringList{"czyt wys wei il ;", "stp ;"}));
    f.WyswietlRozkaz(2);
    for (QWidget* w : std::initializer_list<QWidget*>{f.EditNazwa, f.ComboBoxKod, f.ComboBoxLiczbaArgumentow, f.EditOpis})
        QVERIFY(w->isEnabled());
    QVERIFY(!f.Memo1->isReadOnly());
}

void TestPaneleEdycji::kompilacjaZglaszaNiedozwolonySygnal() {
    TSymulator s;
    TFrameRozkaz f(s);
    f.show();
    f.Odswiez();
    QCOMPARE(f.Label1_->text(), QStringLiteral("dod"));
    f.Memo1->setFocus();
    QTest::keyClick(f.Memo1, Qt::Key_A, Qt::ControlModifier);
    Wpisz(f.Memo1, QStringLiteral("czyt wys wei il ;\nwyad wea ;\nczyt wys weja dod weak wyx wea ;\n"));
    QTest::mouseClick(f.SpeedButtonKompiluj, Qt::LeftButton);
    const QStringList k = f.ListBox1->Teksty();
    QCOMPARE(k.size(), 3);
    QCOMPARE(k[0], QStringLiteral("Kompilacja"));
    QCOMPARE(k[1], QStringLiteral("dod: Niedozwolony sygnal: wyx"));
    QVERIFY2(LiniaCzasu.match(k[2]).hasMatch(), qPrintable(k[2]));
    QCOMPARE(s.ListaRozkazow[1].Mikroprogram[2], std::string("czyt wys weja dod weak wyx wea ;"));
    QCOMPARE(s.PamiecMikroprogramu.Wiersz(8).Sygnaly, std::string("czyt wys weja dod weak wea "));

    // The standard set compiles without messages.
    f.Memo1->setPlainText(QStringLiteral("czyt wys wei il ;\nwyad wea ;\nczyt wys weja dod weak wyl wea ;"));
    f.SpeedButtonKompilujClick();
    QCOMPARE(f.ListBox1->count(), 2);
}

void TestPaneleEdycji::dwuklikKomunikatuZaznaczaSlowo() {
    TSymulator s;
    s.ListaRozkazow[4].Mikroprogram = {"czyt wys wei il ;", "wyad WEA ;", "if z then ;"};
    TFrameRozkaz f(s);
    f.show();
    f.Odswiez();
    s.ListaRozkazow[2].Mikroprogram = {"czyt wys wei il ;", "wyad wea ;", "czyt wys weja ode weak WYX wea ;"};
    f.SpeedButtonKompilujClick(); // stores "dod" as shown, compiles all
    const QStringList k = f.ListBox1->Teksty();
    QVERIFY(k.contains(QStringLiteral("ode: Niedozwolony sygnal: wyx")));
    QVERIFY(k.contains(QStringLiteral("Za krótki warunek: if z then ")));
    auto dwuklik = [&](const QString& tekst) {
        const auto w = f.ListBox1->findItems(tekst, Qt::MatchExactly).value(0);
        QVERIFY(w);
        Dwuklik(f.ListBox1->viewport(), f.ListBox1->visualItemRect(w).center());
    };
    dwuklik(QStringLiteral("ode: Niedozwolony sygnal: wyx"));
    QCOMPARE(f.Label1_->text(), QStringLiteral("ode"));
    QCOMPARE(f.Memo1->textCursor().selectedText(), QStringLiteral("WYX"));
    QCOMPARE(f.Memo1->textCursor().blockNumber(), 2);
    dwuklik(QStringLiteral("Za krótki warunek: if z then "));
    QCOMPARE(f.Label1_->text(), QStringLiteral("pob"));
    QCOMPARE(f.Memo1->textCursor().selectedText(), QStringLiteral("if z then"));
}

void TestPaneleEdycji::usuwanieZPytaniem() {
    TSymulator s;
    TFrameRozkaz f(s);
    TOdpowiedzi o;
    f.PokazOkno = o.Funkcja();
    f.show();
    f.Odswiez();
    QTreeWidget* l = f.ListViewRozkaz;
    auto kliknij = [&](int wiersz) {
        QTest::mouseClick(l->viewport(), Qt::LeftButton, {}, l->visualItemRect(l->topLevelItem(wiersz)).center());
    };

    QTest::mouseClick(f.SpeedButtonUsun, Qt::LeftButton);
    QCOMPARE(o.okna.size(), 1);
    QCOMPARE(o.okna[0].first, TOkno::Informacja);
    QCOMPARE(o.okna[0].second, QStringLiteral("Zaznacz rozkaz do usunięcia!"));

    kliknij(6);
    QTest::mouseClick(f.SpeedButtonUsun, Qt::LeftButton);
    QCOMPARE(o.okna.size(), 2);
    QCOMPARE(o.okna[1].second, QStringLiteral("Rozkazu \"stop\" nie można usunąć!"));
    QCOMPARE(s.ListaRozkazow.Count(), 7);

    kliknij(0);
    o.odpowiedz = false;
    QTest::mouseClick(f.SpeedButtonUsun, Qt::LeftButton);
    QCOMPARE(o.okna.size(), 3);
    QCOMPARE(o.okna[2].first, TOkno::Pytanie);
    QCOMPARE(o.okna[2].second, QStringLiteral("Usunąć rozkaz \"dod\"?"));
    QCOMPARE(s.ListaRozkazow.Count(), 7);

    // Pending edits are not stored by a removal.
    f.EditOpis->setText(QStringLiteral("zmieniony"));
    o.odpowiedz = true;
    QTest::mouseClick(f.SpeedButtonUsun, Qt::LeftButton);
    QCOMPARE(s.ListaRozkazow.Count(), 6);
    QCOMPARE(s.ListaRozkazow[1].Nazwa, std::string("stop"));
    QCOMPARE(l->topLevelItem(0)->text(2), QStringLiteral("stop"));
    QCOMPARE(f.Label1_->text(), QStringLiteral("stop"));
    QVERIFY(!f.EditNazwa->isEnabled());
    QVERIFY(l->selectedItems().isEmpty());
    // Recompiled: the entry row of "dod" is empty now.
    QCOMPARE(s.PamiecMikroprogramu.Wiersz(1).Rozkaz, std::string());
    QCOMPARE(s.PamiecMikroprogramu.Wiersz(0).Rozkaz, std::string("stop"));
}

void TestPaneleEdycji::zmianaNazwyNaIstniejacaDajeUnikalna() {
    TSymulator s;
    TFrameRozkaz f(s);
    TOdpowiedzi o;
    f.PokazOkno = o.Funkcja();
    f.show();
    QApplication::setActiveWindow(&f);
    QVERIFY(QTest::qWaitForWindowActive(&f));
    f.Odswiez();
    f.SpeedButtonDodajClick();
    QCOMPARE(f.Label1_->text(), QStringLiteral("nop7"));
    f.EditNazwa->setFocus();
    f.EditNazwa->selectAll();
    Wpisz(f.EditNazwa, QStringLiteral("dod"));
    QTest::keyClick(f.EditNazwa, Qt::Key_Tab); // leaves the field
    QCOMPARE(s.ListaRozkazow[8].Nazwa, std::string("dod1"));
    QCOMPARE(f.EditNazwa->text(), QStringLiteral("dod1"));
    QCOMPARE(f.Label1_->text(), QStringLiteral("dod1"));
    QCOMPARE(f.ListViewRozkaz->topLevelItem(7)->text(2), QStringLiteral("dod1"));

    // The compile button stores the name as typed.
    f.EditNazwa->setText(QStringLiteral("dod"));
    f.SpeedButtonKompilujClick();
    QCOMPARE(s.ListaRozkazow[8].Nazwa, std::string("dod"));
    QCOMPARE(s.ListaRozkazow[1].Nazwa, std::string("dod"));
    QVERIFY(o.okna.isEmpty());
}

void TestPaneleEdycji::brakWyboruKoduOdmawiaZapisu() {
    TSymulator s;
    s.ListaRozkazow[1].Kod = 12; // beyond the largest code of a 3-bit code
    TFrameRozkaz f(s);
    TOdpowiedzi o;
    f.PokazOkno = o.Funkcja();
    f.Odswiez();
    QCOMPARE(f.Label1_->text(), QStringLiteral("dod"));
    QCOMPARE(f.ComboBoxKod->currentIndex(), -1);
    f.EditNazwa->setText(QStringLiteral("nowa"));
    f.EditOpis->setText(QStringLiteral("inny opis"));
    QCOMPARE(f.ZapiszEdycje(), TFrameRozkaz::TZapis::Odmowa);
    QCOMPARE(o.okna.size(), 1);
    QCOMPARE(o.okna[0].first, TOkno::Informacja);
    QCOMPARE(o.okna[0].second, QStringLiteral("Nie zapisano zmian rozkazu \"dod\": wybierz kod rozkazu z listy."));
    const TRozkaz& r = s.ListaRozkazow[1];
    QCOMPARE(r.Nazwa, std::string("dod"));
    QCOMPARE(r.Kod, 12);
    QCOMPARE(r.Opis, std::string("Dodaje do akumulatora wartość komórki o wskazanym adresie."));
    QCOMPARE(f.Label1_->text(), QStringLiteral("dod"));

    // Compile and add refuse alike and change nothing.
    f.SpeedButtonKompilujClick();
    QCOMPARE(o.okna.size(), 2);
    QVERIFY(f.ListBox1->Teksty().isEmpty());
    QCOMPARE(s.ListaRozkazow[1].Nazwa, std::string("dod"));
    f.SpeedButtonDodajClick();
    QCOMPARE(o.okna.size(), 3);
    QCOMPARE(s.ListaRozkazow.Count(), 7);

    // With a code chosen the store goes through.
    f.ComboBoxKod->setCurrentIndex(f.ComboBoxKod->findText(QStringLiteral("7")));
    QCOMPARE(f.ZapiszEdycje(), TFrameRozkaz::TZapis::Zapisano);
    QCOMPARE(r.Nazwa, std::string("nowa"));
    QCOMPARE(r.Kod, 7);

    // An argument count outside 0..9 is refused the same way.
    s.ListaRozkazow[2].LiczbaArgumentow = 12;
    f.WyswietlRozkaz(2);
    QCOMPARE(f.ZapiszEdycje(), TFrameRozkaz::TZapis::Odmowa);
    QCOMPARE(o.okna.back().second,
             QStringLiteral("Nie zapisano zmian rozkazu \"ode\": wybierz liczbę argumentów z listy."));
    QCOMPARE(s.ListaRozkazow[2].LiczbaArgumentow, 12);
}

void TestPaneleEdycji::edycjaJednegoZDwochORownejNazwie() {
    TSymulator s;
    s.ListaRozkazow[2].Nazwa = "dod";
    TFrameRozkaz f(s);
    f.Odswiez();
    f.WyswietlRozkaz(1);
    f.EditOpis->setText(QStringLiteral("pierwszy"));
    f.SpeedButtonKompilujClick();
    QCOMPARE(s.ListaRozkazow[1].Opis, std::string("pierwszy"));
    QCOMPARE(s.ListaRozkazow[2].Opis, std::string("Odejmuje od wartości akumulatora wartość komórki o podanym adresie."));
    QCOMPARE(s.ListaRozkazow[2].Mikroprogram[2], std::string("czyt wys weja ode weak wyl wea ;"));
}

// --- Microprogram views --------------------------------------------------------------

void TestPaneleEdycji::pokazWszystkieIUkryjPuste() {
    TSymulator s;
    TFrameRozkaz edytor(s);
    edytor.KompilujMikroprogram();
    QVERIFY(edytor.ListBox1->Teksty().isEmpty());
    TFramePamiecMikroprogramu f(s);
    f.Odswiez();
    QVERIFY(f.SpeedButtonWszystkie->isChecked());
    const QAbstractItemModel& m = *f.StringGridPamiecMikroprogramu->model();
    const QStringList naglowki = {"", "Rozkaz", "Sygnały", "", "=0", "=1"};
    for (int k = 0; k < 6; ++k) QCOMPARE(m.headerData(k, Qt::Horizontal).toString(), naglowki[k]);
    const QList<QStringList> wszystkie = {
        {"-1", "", "czyt wys wei il", "", "?", "?"},
        {"0", "stop", "stp ", "", "-1", "-1"},
        {"1", "dod", "wyad wea ", "", "8", "8"},
        {"2", "ode", "wyad wea ", "", "9", "9"},
        {"3", "ład", "wyad wyak wes wea ", "", "10", "10"},
        {"4", "pob", "wyad wea ", "", "11", "11"},
        {"5", "sob", "wyad wel wea ", "", "-1", "-1"},
        {"6", "som", "", "z", "13", "12"},
        {"7", "", "", "", "-1", "-1"},
        {"8", "dod", "czyt wys weja dod weak wyl wea ", "", "-1", "-1"},
        {"9", "ode", "czyt wys weja ode weak wyl wea ", "", "-1", "-1"},
        {"10", "ład", "wyl pisz wea ", "", "-1", "-1"},
        {"11", "pob", "czyt wys weja przep weak wyl wea ", "", "-1", "-1"},
        {"12", "som", "wyad wel wea !", "", "-1", "-1"},
        {"13", "som", "wyl wea ", "", "-1", "-1"},
    };
    QCOMPARE(m.rowCount(), 15);
    for (int r = 0; r < 15; ++r) QCOMPARE(Wiersz(m, r), wszystkie[r]);

    QTest::mouseClick(f.SpeedButtonUkryjPuste, Qt::LeftButton);
    QVERIFY(f.SpeedButtonUkryjPuste->isChecked());
    QVERIFY(!f.SpeedButtonWszystkie->isChecked());
    QCOMPARE(m.rowCount(), 14);
    QCOMPARE(Wiersz(m, 7), wszystkie[7]);
    QCOMPARE(Wiersz(m, 8), wszystkie[9]);

    f.PokazWszystkie();
    QVERIFY(f.SpeedButtonWszystkie->isChecked());
    QCOMPARE(m.rowCount(), 15);
    f.UkryjPuste();
    QVERIFY(f.SpeedButtonUkryjPuste->isChecked());
    QCOMPARE(m.rowCount(), 14);
    // The refresh keeps the choice of the button that is down.
    f.Odswiez();
    QCOMPARE(m.rowCount(), 14);
}

void TestPaneleEdycji::przyciskiNieZmieniajaSzerokosci() {
    TSymulator s;
    s.ListaRozkazow.UsunWszystkie();
    s.KompilujMikroprogram();
    TFramePamiecMikroprogramu f(s);
    f.Odswiez();
    QTableView* g = f.StringGridPamiecMikroprogramu;
    QCOMPARE(g->model()->rowCount(), 9);
    const int przed = g->columnWidth(2);
    s.ListaRozkazow.UstawStandardowe();
    s.KompilujMikroprogram();
    QTest::mouseClick(f.SpeedButtonWszystkie, Qt::LeftButton);
    QCOMPARE(g->columnWidth(2), przed);
    QCOMPARE(g->model()->rowCount(), 15);
    // The refresh measures the widest text anew.
    f.Odswiez();
    QVERIFY(g->columnWidth(2) > przed);
    QVERIFY(g->columnWidth(2) >= g->fontMetrics().horizontalAdvance(QStringLiteral("czyt wys weja przep weak wyl wea ")) + 6);
    QCOMPARE(g->verticalHeader()->defaultSectionSize(), 18);
}

void TestPaneleEdycji::oknoMikroprogramuZSladem() {
    TSymulator s;
    TFrameRozkaz f(s);
    f.Odswiez();
    f.SpeedButtonKompilujClick();
    QStringList naglowek, wiersz13, memo1, memo2, memo3;
    QTimer::singleShot(0, &f, [&] {
        const QAbstractItemModel& m = *f.FormMikroProgram->StringGridKod->model();
        for (int k = 0; k < m.columnCount(); ++k) naglowek << m.headerData(k, Qt::Horizontal).toString();
        wiersz13 = Wiersz(m, 14);
        memo1 = f.FormMikroProgram->Memo1->toPlainText().split(QLatin1Char('\n'));
        memo2 = f.FormMikroProgram->Memo2->toPlainText().split(QLatin1Char('\n'));
        memo3 = f.FormMikroProgram->Memo3->toPlainText().split(QLatin1Char('\n'));
        QTest::mouseClick(f.FormMikroProgram->ButtonZamknij, Qt::LeftButton);
    });
    f.SpeedButton5->click();
    QCOMPARE(naglowek, (QStringList{"", "", "", "", "", "", ""}));
    QCOMPARE(wiersz13, (QStringList{"13", "som", "som.dodatnia", "wyl wea ", "-1", "-1", ""}));
    QCOMPARE(memo2.value(0), QStringLiteral("=dod="));
    QCOMPARE(memo2.value(1), QStringLiteral(">czyt wys wei il ; <"));
    QVERIFY(memo3.contains(QStringLiteral("|dodatnia|wyl wea ||;|")));
    QVERIFY(memo3.contains(QStringLiteral("||wyad wel wea !||!|")));
    QCOMPARE(memo1, (QStringList{"czyt wys wei il ; ", "stp ; "}));
    QVERIFY(f.SpeedButton5->isHidden());
    QCOMPARE(f.FormMikroProgram->PageControl->count(), 4);
    QCOMPARE(f.FormMikroProgram->PageControl->tabText(0), QStringLiteral("MikroProgram"));
}

// --- Shared pieces -------------------------------------------------------------------

void TestPaneleEdycji::obrazyListyKomunikatow() {
    TListaKomunikatow l;
    l.resize(300, 100);
    for (const char* t : {"Kompilacja", "[Błąd] ...(0): Za mało parametrów", "Czas kompilacji: poniżej 1 ms"})
        l.Dodaj(QString::fromUtf8(t));
    l.show();
    QCOMPARE(l.visualItemRect(l.item(0)).height(), TListaKomunikatow::WysokoscWiersza);
    const QImage obraz = l.viewport()->grab().toImage();
    const QColor tlo = l.palette().color(QPalette::Base);
    auto maObraz = [&](int wiersz) {
        const QRect r = l.visualItemRect(l.item(wiersz));
        for (int y = r.top(); y < r.top() + 16; ++y)
            for (int x = r.left() + 2; x < r.left() + 18; ++x)
                if (obraz.pixelColor(x * obraz.width() / l.viewport()->width(), y * obraz.height() / l.viewport()->height()) != tlo)
                    return true;
        return false;
    };
    QVERIFY(maObraz(0));
    QVERIFY(!maObraz(1));
    QVERIFY(maObraz(2));
    QVERIFY(TListaKomunikatow::Obraz(0).toImage() != TListaKomunikatow::Obraz(1).toImage());
}

void TestPaneleEdycji::kolorowanieSkladni() {
    QVERIFY(WygladaNaLiczbe(QStringLiteral("-12")));
    QVERIFY(WygladaNaLiczbe(QStringLiteral("$1F")));
    QVERIFY(WygladaNaLiczbe(QStringLiteral("0x1f")));
    QVERIFY(!WygladaNaLiczbe(QStringLiteral("petla")));
    QVERIFY(!WygladaNaLiczbe(QStringLiteral("$-1")));

    TSymulator s;
    TFrameProgram f(s);
    f.Odswiez();
    f.UstawLinieProgramu({"petla: POB 5 // x", "      Ład petla", "kon"});
    auto format = [&](int linia, int kolumna) {
        const QTextBlock b = f.Memo2->document()->findBlockByNumber(linia);
        for (const QTextLayout::FormatRange& z : b.layout()->formats())
            if (kolumna >= z.start && kolumna < z.start + z.length) return z.format;
        return QTextCharFormat();
    };
    const QTextCharFormat etykieta = format(0, 0), mnemonik = format(0, 8), liczba = format(0, 11),
                          komentarz = format(0, 14), nieznany = format(1, 6), kon = format(2, 0);
    QVERIFY(etykieta.fontWeight() == QFont::Bold);
    QVERIFY(mnemonik.fontWeight() == QFont::Bold);
    QVERIFY(mnemonik.foreground() != etykieta.foreground());
    QVERIFY(liczba.foreground() != mnemonik.foreground());
    QVERIFY(komentarz.fontItalic());
    // "Ł" is not folded, so "Ład" is not the instruction "ład".
    QCOMPARE(nieznany.underlineStyle(), QTextCharFormat::WaveUnderline);
    QVERIFY(kon.fontWeight() == QFont::Bold);

    TFrameRozkaz r(s);
    r.Odswiez();
    r.Memo1->setPlainText(QStringLiteral("et: wyx wea ; if !z then et ;"));
    const QTextBlock b = r.Memo1->document()->firstBlock();
    auto fm = [&](int kolumna) {
        for (const QTextLayout::FormatRange& z : b.layout()->formats())
            if (kolumna >= z.start && kolumna < z.start + z.length) return z.format;
        return QTextCharFormat();
    };
    QCOMPARE(fm(4).underlineStyle(), QTextCharFormat::WaveUnderline); // wyx: no X in preset "K"
    QCOMPARE(fm(8).underlineStyle(), QTextCharFormat::NoUnderline);   // wea
    QVERIFY(fm(12).fontWeight() == QFont::Bold);                      // ;
    QVERIFY(fm(14).fontWeight() == QFont::Bold);                      // if
    QVERIFY(fm(17).foreground() != fm(8).foreground());               // !z
    QVERIFY(fm(0).foreground() == fm(26).foreground());               // et: and et
}

std::unique_ptr<QObject> TestyPaneliEdycji() { return std::make_unique<TestPaneleEdycji>(); }

#include "test_panele_edycji.moc"
