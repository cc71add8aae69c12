#include <QApplication>
#include <QContextMenuEvent>
#include <QInputDialog>
#include <QMenu>
#include <QPainter>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalSpy>
#include <QToolButton>
#include <QWheelEvent>

#include <random>

#include "Opisy.h"
#include "Sterowanie.h"
#include "TFrameMaszyna.h"
#include "TObrazMaszyny.h"
#include "TPrzebiegOkna.h"
#include "TestyUi.h"

namespace {

// Without alpha, as Kolor() reads them.
constexpr QRgb Tlo = 0xF0F0F0, Czarny = 0x000000, Czerwony = 0xFF0000, Niebieski = 0x0000FF;

int N(TSygnal s) {
    return static_cast<int>(s);
}

QRgb Kolor(const TObrazMaszyny& o, int x, int y) {
    return o.Obraz().pixel(x, y) & 0xFFFFFFu;
}

// The colours at the (x, y) pairs: T background, K black, C red, N blue, ? anything else.
QString Kolory(const TObrazMaszyny& o, std::initializer_list<int> xy) {
    QString w;
    for (const int* p = xy.begin(); p + 1 < xy.end(); p += 2) {
        const QRgb k = Kolor(o, p[0], p[1]);
        w += QLatin1Char(k == Tlo         ? 'T'
                         : k == Czarny    ? 'K'
                         : k == Czerwony  ? 'C'
                         : k == Niebieski ? 'N'
                                          : '?');
    }
    return w;
}

int Ile(const TObrazMaszyny& o, const TObszar& r, QRgb kolor) {
    int n = 0;
    for (int y = r.Gora; y < r.Dol; ++y)
        for (int x = r.Lewo; x < r.Prawo; ++x)
            n += Kolor(o, x, y) == kolor;
    return n;
}
// Pixels of text, smoothed or not.
int Ciemne(const TObrazMaszyny& o, const TObszar& r) {
    int n = 0;
    for (int y = r.Gora; y < r.Dol; ++y)
        for (int x = r.Lewo; x < r.Prawo; ++x)
            n += qGray(Kolor(o, x, y)) < 160;
    return n;
}
QPoint Srodek(const TObszar& r) {
    return {(r.Lewo + r.Prawo) / 2, (r.Gora + r.Dol) / 2};
}

// The worked example: an endless loop adding 1 to the word at 20.
const std::vector<std::string> Przyklad = {
    "pob zero", "ład liczba", "petla: pob liczba", "dod jeden",   "ład liczba",   "sob petla",
    "stop",     "org 20",     "liczba: rpa",       "zero: rst 0", "jeden: rst 1", "kon"};

// The schematic panel on its own owner, which tells it the machine's messages.
struct TSchemat {
    TSymulator s;
    TFrameMaszyna f{s};
    TObrazMaszyny& obraz = *f.Image1;
    TPrzebiegOkna& przebieg = *f.Przebieg();

    explicit TSchemat(const char* preset = "K", const std::vector<std::string>& program = {}) {
        s.ZastosujPreset(preset);
        s.KompilujMikroprogram();
        if (!program.empty()) s.KompilujProgram(program);
        s.Maszyna.Reset();
        f.resize(900, 700);
        f.OdswiezMaszyne();
    }

    TMaszyna& M() { return s.Maszyna; }
    TSygnalArchitektury& Sygnal(TSygnal x) {
        return s.Architektura.Sygnaly[static_cast<std::size_t>(N(x))];
    }
    TRejestrArchitektury& Rejestr(int k) {
        return s.Architektura.Rejestry[static_cast<std::size_t>(k)];
    }
    // Where a signal's label was last drawn; empty when it was not.
    TObszar Etykieta(TSygnal x) const {
        const TMiejsce* m = obraz.Schemat().Znajdz(TRodzajMiejsca::Sygnal, N(x));
        return m ? m->Obszar : TObszar{};
    }
    // One manual tick of exactly these signals: the current text names them afterwards.
    void Wykonaj(std::initializer_list<TSygnal> sygnaly) {
        for (TSygnal x : sygnaly)
            Sygnal(x).Wybrany = true;
        PolecenieTakt(M(), true);
        obraz.RysujMaszyne();
    }
};

} // namespace

class TestSchematu : public QObject {
    Q_OBJECT

  private slots:
    void sygnalyIMagistraleWKolorach() {
        TSchemat t("K+");
        // Idle: the bus bars background inside their outline (y 100). "wel" chosen: a blue
        // label, its line (x 35) one black pixel wide. x 452 between the buses; (451, 267)
        // the top of the gate dot of "as", (452, 270) its inside.
        t.Sygnal(TSygnal::wel).Wybrany = true;
        t.obraz.RysujMaszyne();
        QCOMPARE(Kolory(t.obraz, {300, 102, 300, 402, 300, 100, 34, 118, 35, 118, 36, 118, 452, 200,
                                  451, 267, 452, 270}),
                 QStringLiteral("TTKTKTTKT"));
        QVERIFY(Ile(t.obraz, t.Etykieta(TSygnal::wel), Niebieski) > 10);
        t.Sygnal(TSygnal::wel).Wybrany = false;
        t.Wykonaj({TSygnal::wyl, TSygnal::wea, TSygnal::as});
        // Bus A red end to end, bus S through "as". "wyl" (x 60) three pixels wide, its arrow head
        // drawn three times (56 and 58 at y 106) and its label stub (65, 124) red, as is
        // the head of "wea" in the A box's top edge (585, 129). "wel" idle, one pixel
        // black. The link between the buses and the dot of "as" red, that of "sa" not.
        QCOMPARE(Kolory(t.obraz, {300, 102, 1,   101, 698, 103, 300, 402, 58,  118, 59,  118, 60,
                                  118, 61,  118, 56,  106, 58,  106, 65,  124, 585, 129, 34,  118,
                                  35,  118, 36,  118, 452, 200, 451, 267, 452, 270, 451, 227}),
                 QStringLiteral("CCCCTCCCCCCCTKTCCTK"));
        // The red bold value of A, loaded by "wea".
        QVERIFY(Ile(t.obraz, {511, 131, 659, 154}, Czerwony) > 0);
        t.Wykonaj({TSygnal::wys, TSygnal::wei});
        QCOMPARE(Kolory(t.obraz, {300, 102, 300, 402}), QStringLiteral("TC"));
    }

    void obszaryINieobecneElementy() {
        TSchemat t("Max");
        const TObszar wex = t.Etykieta(TSygnal::wex);
        QCOMPARE(t.obraz.SygnalW(Srodek(wex)), N(TSygnal::wex));
        QCOMPARE(t.obraz.RejestrW({120, 440}), Slot::X);
        // The IRQ buttons end 8 pixels before the RZ box.
        QCOMPARE(t.obraz.Panel_IRQ->geometry(), QRect(49, 0, 193, 25));
        // Absent parts are neither drawn nor clickable.
        t.s.ZastosujPreset("K");
        t.obraz.RysujMaszyne();
        QCOMPARE(t.obraz.RejestrW({120, 440}), 0);
        QCOMPARE(t.obraz.OtworzMenu({120, 440}), nullptr);
        QCOMPARE(t.obraz.SygnalW(Srodek(wex)), 0);
        QVERIFY(!t.obraz.KliknijSygnal(Srodek(wex)));
        QCOMPARE(Kolory(t.obraz, {147, 440}), QStringLiteral("T")); // where X's box was
        QVERIFY(!t.obraz.Panel_IRQ->isVisibleTo(&t.obraz));
    }

    void szerokaWartoscWSwojejSkrzynce() {
        // 24 + 8 bits: bus S and X hold 32 ones shown in binary, AK -1 in decimal.
        TSchemat t("Max");
        QVERIFY(t.M().UstawSzerokosci(24, 8));
        for (int k : {Slot::MagS, Slot::X, Slot::AK})
            t.M().UstawRejestr(k, 0xFFFFFFFFu);
        t.Rejestr(Slot::MagS).Podstawa = 2;
        t.Rejestr(Slot::X).Podstawa = 2;
        t.obraz.RysujMaszyne();
        // Set in Qt's type the values stay in their boxes: no text in the gaps left of X's
        // box and right of bus S's (up to the "wex" label).
        QCOMPARE(Ciemne(t.obraz, {75, 406, 100, 429}), 0);
        QCOMPARE(Ciemne(t.obraz, {90, 435, 110, 459}), 0);
        // The shortened values are whole in the tooltips, the one that fits is not
        // repeated there.
        const QString jedynki(32, QLatin1Char('1'));
        QCOMPARE(t.obraz.OpisW({30, 415}),
                 QStringLiteral("Magistrala S – magistrala słowowa, przenosi wartość w obrębie "
                                "jednego taktu\n") +
                     jedynki);
        QVERIFY(t.obraz.OpisW({150, 445}).endsWith(QLatin1Char('\n') + jedynki));
    }

    void podpowiedziNazywajaCzesci() {
        TSchemat t("Max");
        const TObszar wea = t.Etykieta(TSygnal::wea);
        const std::pair<QPoint, const char*> miejsca[] = {
            {{280, 10}, "RZ – rejestr zgłoszeń przerwań"},
            {Srodek(wea), "wea – zapis magistrali adresowej do rejestru A"},
            {{300, 221}, "NP – przepełnienie ponad największą wartość"}, // the name by its box
            {{300, 102},
             "Magistrala A – magistrala adresowa, przenosi wartość w obrębie "
             "jednego taktu"},
            {{350, 300}, ""},
        };
        for (const auto& [punkt, opis] : miejsca)
            QCOMPARE(t.obraz.OpisW(punkt), QString::fromUtf8(opis));
        t.obraz.UstawJezyk(2);
        QCOMPARE(t.obraz.OpisW({280, 10}), QStringLiteral("RZ – interrupt request register"));
        QCOMPARE(t.obraz.OpisW(Srodek(wea)), QStringLiteral("wea – load bus A into register A"));
    }

    void menuRejestrowBitowIMagistral() {
        TSchemat t("EK");
        t.f.show();
        // A context click opens the box's menu at the box's lower-left corner.
        QContextMenuEvent klik(QContextMenuEvent::Mouse, QPoint(20, 140),
                               t.obraz.mapToGlobal(QPoint(20, 140)));
        QApplication::sendEvent(&t.obraz, &klik);
        QVERIFY(t.obraz.PopupMenu1->isVisible());
        QCOMPARE(t.obraz.PopupMenu1->pos(), t.obraz.mapToGlobal(QPoint(11, 160)));
        t.obraz.PopupMenu1->hide();
        // The menu of each kind of box, tagged with its slot: L, AK, the display-only PAK,
        // N, the sign flag, G, the buses A and S.
        QStringList menu;
        for (QPoint p : {QPoint(20, 140), QPoint(300, 170), QPoint(270, 300), QPoint(270, 190),
                         QPoint(265, 165), QPoint(660, 445), QPoint(30, 85), QPoint(30, 415)}) {
            QMenu* m = t.obraz.OtworzMenu(p);
            menu << (m ? m->objectName() + QLatin1Char(' ') + QString::number(TObrazMaszyny::Tag(m))
                       : QStringLiteral("-"));
            if (m) m->hide();
        }
        QCOMPARE(menu,
                 QStringList({"PopupMenu1 1", "PopupMenu1 18", "-", "PopupMenu2 21",
                              "PopupMenu2 24", "PopupMenu2 7", "PopupMenu3 16", "PopupMenu3 17"}));
        // The items act on the slot the menu was last opened on; the base ticked is its own.
        auto otworz = [&](int x, int y) { t.obraz.OtworzMenu({x, y})->hide(); };
        otworz(20, 140);
        t.obraz.Menu1_Zmniejsz->trigger();
        otworz(300, 170);
        t.obraz.Menu1_Dwojkowy->trigger();
        QCOMPARE(QList<int>({t.Rejestr(Slot::L).Podstawa, t.Rejestr(Slot::AK).Podstawa,
                             int(t.M().Wartosc(Slot::L))}),
                 QList<int>({10, 2, 31}));
        t.M().UstawRejestr(Slot::AK, 3);
        otworz(265, 165);
        t.obraz.Menu2_Ustaw1->trigger();
        QCOMPARE(t.M().Wartosc(Slot::AK), 131u);
        otworz(30, 85);
        t.obraz.Menu3_Dwojkowy->trigger();
        otworz(30, 415);
        QCOMPARE(Bity({t.obraz.Menu3_Dwojkowy->isChecked(), t.obraz.Menu3_Dziesietny->isChecked(),
                       t.obraz.Menu3_Szesnastkowy->isChecked()}),
                 QStringLiteral("010"));
    }

    void wpiszWartosc() {
        TSchemat t;
        QStringList okna;
        QList<std::uint32_t> wyniki;
        // Into the 5-bit L holding 5: masked, what is no number is 0; the last one cancelled.
        const QStringList teksty = {"7", "$1F", "100", "-1", "abc", "9"};
        for (const QString& tekst : teksty) {
            t.M().UstawRejestr(Slot::L, 5);
            t.obraz.WykonajModalnie = [&](QDialog& d, const TKoniecOkna& koniec) {
                auto& o = static_cast<QInputDialog&>(d);
                okna << o.windowTitle() + QLatin1Char('|') + o.labelText() + QLatin1Char('|') +
                            o.textValue();
                o.setTextValue(tekst);
                koniec(&tekst == &teksty.last() ? QDialog::Rejected : QDialog::Accepted);
            };
            t.obraz.OtworzMenu({20, 140})->hide();
            t.obraz.Menu1_WpiszWartosc->trigger();
            wyniki << t.M().Wartosc(Slot::L);
        }
        QCOMPARE(wyniki, QList<std::uint32_t>({7, 31, 4, 31, 0, 5}));
        QCOMPARE(okna, QStringList(6, QStringLiteral("Podaj nową wartość||0")));
    }

    void oknoPamieciIPowiekszenie() {
        TSchemat t;
        t.f.show();
        // The last position shows 23 .. 31; a word shows in the row of its address, and
        // moves with the window.
        QScrollBar* pasek = t.obraz.ScrollBarPaO;
        QCOMPARE(QList<int>({pasek->maximum(), pasek->pageStep()}), QList<int>({23, 8}));
        const QImage pusty = t.obraz.Obraz().copy(560, 160, 78, 21);
        t.M().PiszPaO(0, 77);
        t.obraz.RysujMaszyne();
        QVERIFY(t.obraz.Obraz().copy(560, 160, 78, 21) != pusty);
        pasek->setValue(1);
        QCOMPARE(t.obraz.Obraz().copy(560, 160, 78, 21), pusty);
        // Ctrl + wheel zooms a step; the wheel alone leaves the zoom to the scroll box.
        for (auto klawisze : {Qt::ControlModifier, Qt::NoModifier}) {
            QWheelEvent z(QPointF(100, 100), t.obraz.mapToGlobal(QPointF(100, 100)), {},
                          QPoint(0, 120), Qt::NoButton, klawisze, Qt::NoScrollPhase, false);
            QApplication::sendEvent(&t.obraz, &z);
            QCOMPARE(t.obraz.size(), QSize(882, 607));
        }
        t.obraz.UstawSkale(2);
        t.Wykonaj({TSygnal::wyl, TSygnal::wea});
        QCOMPARE(Kolory(t.obraz, {600, 202, 600, 201, 600, 200}), QStringLiteral("CKK"));
        // Clicks are read in image pixels.
        t.s.StanPracy.TrybPracy = TTrybPracy::Reczny;
        QTest::mouseClick(&t.obraz, Qt::LeftButton, {}, Srodek(t.Etykieta(TSygnal::wel)) * 2);
        QVERIFY(t.Sygnal(TSygnal::wel).Wybrany);
    }

    // The image is painted anew only where the picture changed; after any change it must
    // equal an image painted whole, pixel for pixel.
    void czescObrazuJakCaly() {
        TSchemat t("Max", Przyklad);
        std::mt19937 los(7);
        auto z = [&](int n) { return static_cast<int>(los() % static_cast<unsigned>(n)); };
        for (int krok = 0; krok < 120; ++krok) {
            switch (z(6)) {
            case 0: // a tick of the program
            case 1:
                PolecenieTakt(t.M(), false);
                break;
            case 2: // a manual tick of a few signals
                for (int i = 0; i < 3; ++i)
                    t.s.Architektura.Sygnaly[static_cast<std::size_t>(1 + z(LiczbaSygnalow))]
                        .Wybrany = true;
                PolecenieTakt(t.M(), true);
                break;
            case 3: // a register's value, shown in another base
                t.M().UstawRejestr(1 + z(LiczbaSlotow), static_cast<std::uint32_t>(los()));
                t.Rejestr(1 + z(LiczbaSlotow)).Podstawa = std::array{2, 10, 16}[z(3)];
                break;
            case 4: // a word in memory, and the memory window moved
                t.M().PiszPaO(z(32), static_cast<std::uint32_t>(los()));
                t.obraz.ScrollBarPaO->setValue(z(t.obraz.ScrollBarPaO->maximum() + 1));
                break;
            case 5: // another zoom, sometimes one that is no whole number of pixels
                t.obraz.UstawSkale(std::array{1.0, 2.0, 1.5, 1.0}[z(4)]);
                break;
            }
            t.obraz.RysujMaszyne();
            TObrazMaszyny caly(t.s);
            caly.ScrollBarPaO->setValue(t.obraz.ScrollBarPaO->value());
            caly.UstawSkale(t.obraz.Skala());
            if (caly.Obraz() != t.obraz.Obraz())
                QFAIL(qPrintable(QStringLiteral("krok %1").arg(krok)));
        }
    }

    // A change repaints only the squares its primitives' areas touch, so no primitive may
    // set a pixel outside its area: painted alone on white and on black, at zoom 1 and 2,
    // every pixel it changed must lie inside. All signals active and registers in binary
    // give the picture its widest texts.
    void prymitywWSwoimObszarze() {
        TSchemat t("Max", Przyklad);
        for (auto& s : t.s.Architektura.Sygnaly)
            s.Wybrany = true;
        PolecenieTakt(t.M(), true);
        for (int k = 1; k <= LiczbaSlotow; ++k) {
            t.M().UstawRejestr(k, 0xA5A5A5A5u);
            t.Rejestr(k).Podstawa = 2;
        }
        t.obraz.RysujMaszyne();
        // Pixels further than Brzeg from a primitive's area are not looked at: nothing
        // strays that far but a wrong coordinate, which the pictures' tests catch.
        constexpr int Brzeg = 24;
        for (const int skala : {1, 2})
            for (const QRgb tlo : {qRgb(255, 255, 255), qRgb(0, 0, 0)}) {
                QImage obraz((TObrazMaszyny::Szerokosc + 2 * Brzeg) * skala,
                             (TObrazMaszyny::Wysokosc + 2 * Brzeg) * skala, QImage::Format_RGB32);
                for (const TPrymityw& x : t.obraz.Schemat().Prymitywy) {
                    const QRect obszar = t.obraz.ObszarPrymitywu(x);
                    // The part looked at, in image pixels.
                    const QRect blisko = obszar.adjusted(0, 0, 2 * Brzeg, 2 * Brzeg);
                    const QRect okno =
                        QRect(blisko.topLeft() * skala, blisko.size() * skala) & obraz.rect();
                    obraz.fill(tlo);
                    {
                        QPainter p(&obraz);
                        p.scale(skala, skala);
                        p.translate(Brzeg, Brzeg);
                        t.obraz.MalujPrymityw(p, x);
                    }
                    for (int y = okno.top(); y <= okno.bottom(); ++y) {
                        const auto* wiersz = reinterpret_cast<const QRgb*>(obraz.constScanLine(y));
                        for (int xx = okno.left(); xx <= okno.right(); ++xx) {
                            const QPoint punkt(xx / skala - Brzeg, y / skala - Brzeg);
                            if (wiersz[xx] != tlo && !obszar.contains(punkt))
                                QFAIL(
                                    qPrintable(QStringLiteral("\"%1\" (%2, %3) x%4: piksel %5, %6")
                                                   .arg(QString::fromStdString(x.Tekst))
                                                   .arg(x.X1)
                                                   .arg(x.Y1)
                                                   .arg(skala)
                                                   .arg(punkt.x())
                                                   .arg(punkt.y())));
                        }
                    }
                }
            }
    }

    // ---- the panel ----

    void panelUkladRecznieITakt() {
        TSchemat p;
        p.f.show();
        QTRY_COMPARE(p.f.Image1->pos(), QPoint((p.f.ScrollBox1->viewport()->width() - 705) / 2, 4));
        auto kliknij = [&](TSygnal x, Qt::MouseButton przycisk = Qt::LeftButton) {
            QTest::mouseClick(&p.obraz, przycisk, {}, Srodek(p.Etykieta(x)));
        };
        kliknij(TSygnal::wyl);
        QVERIFY(!p.Sygnal(TSygnal::wyl).Wybrany); // not in manual mode
        // In manual mode two clicks undo each other; the right button and a click outside
        // every label choose nothing.
        p.f.SpeedButtonRecznie->click();
        for (TSygnal x : {TSygnal::wyl, TSygnal::wea, TSygnal::wel, TSygnal::wel})
            kliknij(x);
        kliknij(TSygnal::czyt, Qt::RightButton);
        QTest::mouseClick(&p.obraz, Qt::LeftButton, {}, QPoint(700, 300));
        for (int i = 1; i <= LiczbaSygnalow; ++i)
            QCOMPARE(p.s.Architektura.Sygnaly[static_cast<std::size_t>(i)].Wybrany,
                     i == N(TSygnal::wyl) || i == N(TSygnal::wea));
        p.f.SpeedButtonTakt->click();
        QCOMPARE(p.M().BiezacyTekst(), std::string("wyl wea "));
        // Out of manual mode the microprogram runs: the fetch.
        p.f.SpeedButtonRecznie->click();
        p.f.SpeedButtonTakt->click();
        QCOMPARE(p.M().BiezacyTekst(), std::string("czyt wys wei il"));
    }

    void przebiegi() {
        // In slices until Stop; ticks and manual commands wait meanwhile, no instruction is
        // left half done between slices, and the same number of ticks in one go ends alike.
        TSchemat t("K", Przyklad);
        int wPolowieRozkazu = 0;
        connect(&t.przebieg, &TPrzebiegOkna::ZmianaStanu, this, [&] {
            if (t.przebieg.Trwa() && t.M().BiezacyWiersz() != -1) ++wPolowieRozkazu;
        });
        t.f.SpeedButtonProgram->click();
        const std::uint64_t przed = t.przebieg.Takty();
        t.przebieg.Takt();
        t.przebieg.Rozkaz();
        QCOMPARE(t.przebieg.Takty(), przed);
        QTest::qWait(150);
        QVERIFY(t.przebieg.Trwa());
        QCOMPARE(wPolowieRozkazu, 0);
        t.f.SpeedButtonStop->click();
        QCOMPARE(t.s.StanPracy.TrybPracy, TTrybPracy::Bezczynny);
        const std::uint64_t takty = t.przebieg.Takty();
        QTest::qWait(20);
        QCOMPARE(t.przebieg.Takty(), takty);
        TSchemat w("K", Przyklad);
        QCOMPARE(TPrzebieg(w.M(), TPolecenie::Program).Porcja(takty).Takty, takty);
        for (int slot = 1; slot <= LiczbaSlotow; ++slot)
            QCOMPARE(t.M().Wartosc(slot), w.M().Wartosc(slot));
        // A breakpoint (AK equal to 5) ends the run with the last tick's messages only, and
        // holds after a further tick; without it the program goes on.
        TSchemat p("K", Przyklad);
        p.M().WykonajMikrorozkaz("wel");
        std::string blad;
        TPunktZatrzymania punkt;
        punkt.Wartosc1 = 5;
        QVERIFY(p.s.PunktyZatrzymania.DodajPunkt(punkt, blad));
        p.f.SpeedButtonProgram->click();
        QTRY_VERIFY(!p.przebieg.Trwa());
        QCOMPARE(p.M().CzytajPaO(20), 4u);
        QVERIFY(p.f.ListBox1->count() == 1 &&
                p.f.ListBox1->item(0)->text().startsWith(QStringLiteral("Breakpoint 1 OK = ")));
        p.f.SpeedButtonRozkaz->click();
        QCOMPARE(p.przebieg.Takty(), 1u);
        p.s.PunktyZatrzymania.UsunWszystkie();
        p.f.SpeedButtonRozkaz->click();
        QCOMPARE(p.M().CzytajPaO(20), 5u);
        // An IRQ button works during a run; Reset ends it and nothing runs after.
        TSchemat q("L", Przyklad);
        q.f.SpeedButtonProgram->click();
        QTest::qWait(30);
        q.f.Panel_IRQ->findChild<QToolButton*>(QStringLiteral("SpeedButton1"))->click();
        QCOMPARE(q.M().Wartosc(Slot::RZ), 128u);
        q.f.SpeedButtonReset->click();
        QVERIFY(!q.przebieg.Trwa());
        QCOMPARE(q.s.StanPracy.TrybPracy, TTrybPracy::Bezczynny);
        QTest::qWait(20);
        QCOMPARE(q.M().Wartosc(Slot::L), 0u);
        // A stopped machine starts nothing.
        TSchemat k("K", {"stop"});
        k.przebieg.Program();
        QSignalSpy poczatek(&k.przebieg, &TPrzebiegOkna::PoczatekPrzebiegu);
        k.przebieg.Program();
        k.przebieg.Rozkaz();
        QCOMPARE(poczatek.count(), 0);
    }
};

std::unique_ptr<QObject> TestySchematu() {
    return std::make_unique<TestSchematu>();
}

#include "test_schemat.moc"
