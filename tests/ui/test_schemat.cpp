#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QInputDialog>
#include <QListWidget>
#include <QMenu>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>
#include <QWheelEvent>

#include <memory>
#include <string>
#include <vector>

#include "Sluchacz.h"
#include "Sterowanie.h"
#include "TFrameMaszyna.h"
#include "TObrazMaszyny.h"
#include "TPrzebiegOkna.h"
#include "TSymulator.h"
#include "TestyUi.h"

namespace {

// Without alpha, as Kolor() reads them.
constexpr QRgb Tlo = 0xF0F0F0;
constexpr QRgb Czarny = 0x000000;
constexpr QRgb Czerwony = 0xFF0000;
constexpr QRgb Niebieski = 0x0000FF;

int N(TSygnal s) {
    return static_cast<int>(s);
}

QRgb Kolor(const TObrazMaszyny& o, int x, int y) {
    return o.Obraz().pixel(x, y) & 0xFFFFFFu;
}

int Ile(const TObrazMaszyny& o, const TObszar& r, QRgb kolor) {
    int n = 0;
    for (int y = r.Gora; y < r.Dol; ++y)
        for (int x = r.Lewo; x < r.Prawo; ++x)
            n += Kolor(o, x, y) == kolor;
    return n;
}

QPoint Srodek(const TObszar& r) {
    return {(r.Lewo + r.Prawo) / 2, (r.Gora + r.Dol) / 2};
}

bool Rowne(const TObszar& r, int l, int t, int p, int d) {
    return r.Lewo == l && r.Gora == t && r.Prawo == p && r.Dol == d;
}

// The worked example: an endless loop adding 1 to the word at 20.
const std::vector<std::string> Przyklad = {"//program testowy",
                                           "        pob zero",
                                           "        ład liczba",
                                           "petla:  pob liczba",
                                           "        dod jeden",
                                           "        ład liczba",
                                           "        sob petla  //skok bezwarunkowy",
                                           "        stop",
                                           "",
                                           "        org 20",
                                           "liczba: rpa",
                                           "zero:   rst 0",
                                           "jeden:  rst 1",
                                           "        kon"};

struct TSrodowisko {
    TSymulator s;
    TObrazMaszyny obraz{s};
    TPrzebiegOkna przebieg{s};

    explicit TSrodowisko(const char* preset = "K") {
        s.ZastosujPreset(preset);
        s.KompilujMikroprogram();
        obraz.OdswiezMaszyne();
    }
    TMaszyna& M() { return s.Maszyna; }
    TSygnalArchitektury& Sygnal(TSygnal x) {
        return s.Architektura.Sygnaly[static_cast<std::size_t>(N(x))];
    }
    const TObszar& ObszarRejestru(int k) {
        return s.Architektura.Rejestry[static_cast<std::size_t>(k)].Obszar;
    }
    // One manual tick of exactly these signals: the current text names them afterwards.
    void Wykonaj(std::initializer_list<TSygnal> sygnaly) {
        for (TSygnal x : sygnaly)
            Sygnal(x).Wybrany = true;
        PolecenieTakt(M(), true);
        obraz.RysujMaszyne();
    }
    void Zaladuj(const std::vector<std::string>& program) {
        s.KompilujProgram(program);
        M().Reset();
    }
};

// The panel with the machine reporting to it, as the main window wires them.
struct TPanel : TSluchaczMaszyny {
    TSymulator s;
    TFrameMaszyna f{s};

    TPanel() {
        s.Maszyna.UstawSluchacza(this);
        f.resize(900, 700);
        f.OdswiezMaszyne();
    }
    ~TPanel() override { s.Maszyna.UstawSluchacza(nullptr); }
    void Komunikat(std::string_view t) override {
        f.DodajKomunikat(QString::fromUtf8(t.data(), static_cast<qsizetype>(t.size())));
    }
    void PoczatekTaktu() override { f.WyczyscKomunikaty(); }
    QStringList Lista() const {
        QStringList l;
        for (int i = 0; i < f.ListBox1->count(); ++i)
            l << f.ListBox1->item(i)->text();
        return l;
    }
};

} // namespace

class TestSchematu : public QObject {
    Q_OBJECT

  private slots:
    void magistralaCzerwonaTylkoGdyZajeta() {
        TSrodowisko t;
        QCOMPARE(Kolor(t.obraz, 300, 102), Tlo);
        QCOMPARE(Kolor(t.obraz, 300, 402), Tlo);
        QCOMPARE(Kolor(t.obraz, 300, 100), Czarny); // the bar's outline
        t.Wykonaj({TSygnal::wyl, TSygnal::wea});
        QVERIFY(t.M().Zajeta(Slot::MagA));
        QCOMPARE(Kolor(t.obraz, 300, 102), Czerwony);
        QCOMPARE(Kolor(t.obraz, 1, 101), Czerwony);
        QCOMPARE(Kolor(t.obraz, 698, 103), Czerwony);
        QCOMPARE(Kolor(t.obraz, 300, 402), Tlo);
        t.Wykonaj({TSygnal::wys, TSygnal::wei});
        QCOMPARE(Kolor(t.obraz, 300, 102), Tlo);
        QCOMPARE(Kolor(t.obraz, 300, 402), Czerwony);
        t.M().WyczyscMagistrale();
        t.obraz.RysujMaszyne();
        QCOMPARE(Kolor(t.obraz, 300, 402), Tlo);
    }

    void aktywnySygnalCzerwonyINaTrzyPiksele() {
        TSrodowisko t;
        t.M().UstawRejestr(Slot::L, 5);
        t.Wykonaj({TSygnal::wyl, TSygnal::wea});
        // wyl at x 60 is active: three pixels wide; wel at x 35 is not.
        for (int x : {59, 60, 61})
            QCOMPARE(Kolor(t.obraz, x, 118), Czerwony);
        QCOMPARE(Kolor(t.obraz, 58, 118), Tlo);
        QCOMPARE(Kolor(t.obraz, 35, 118), Czarny);
        QCOMPARE(Kolor(t.obraz, 34, 118), Tlo);
        QCOMPARE(Kolor(t.obraz, 36, 118), Tlo);
        // The arrow head drawn three times, and the label stub.
        QCOMPARE(Kolor(t.obraz, 58, 106), Czerwony);
        QCOMPARE(Kolor(t.obraz, 56, 106), Czerwony);
        QCOMPARE(Kolor(t.obraz, 65, 124), Czerwony);
        // Its label red, no blue anywhere near it.
        const TObszar& etykieta = t.Sygnal(TSygnal::wyl).Obszar;
        QVERIFY(Ile(t.obraz, etykieta, Czerwony) > 10);
        QCOMPARE(Ile(t.obraz, etykieta, Niebieski), 0);
        QCOMPARE(Ile(t.obraz, t.Sygnal(TSygnal::wel).Obszar, Czerwony), 0);
        // A was loaded ("wea"): its value red; L was not.
        QCOMPARE(t.M().Wartosc(Slot::A), 5u);
        QVERIFY(Ile(t.obraz, {511, 131, 659, 154}, Czerwony) > 0);
        QCOMPARE(Ile(t.obraz, {11, 135, 84, 158}, Czerwony), 0);
        // The horizontal "wea" end: the arrow head in the A box's top edge.
        QCOMPARE(Kolor(t.obraz, 585, 129), Czerwony);
    }

    void wybranaEtykietaNiebieska() {
        TSrodowisko t;
        t.Sygnal(TSygnal::wel).Wybrany = true;
        t.obraz.RysujMaszyne();
        const TObszar& wel = t.Sygnal(TSygnal::wel).Obszar;
        QVERIFY(Ile(t.obraz, wel, Niebieski) > 10);
        QCOMPARE(Kolor(t.obraz, 35, 118), Czarny); // the line keeps its activity's colour
        QCOMPARE(Kolor(t.obraz, 34, 118), Tlo);
        // Active and chosen: blue label, red line three pixels wide.
        t.Wykonaj({TSygnal::wyl, TSygnal::wea});
        t.Sygnal(TSygnal::wyl).Wybrany = true;
        t.obraz.RysujMaszyne();
        const TObszar& wyl = t.Sygnal(TSygnal::wyl).Obszar;
        QVERIFY(Ile(t.obraz, wyl, Niebieski) > 10);
        QCOMPARE(Ile(t.obraz, wyl, Czerwony), 0);
        for (int x : {59, 60, 61})
            QCOMPARE(Kolor(t.obraz, x, 118), Czerwony);
    }

    void polaczenieMagistralIKropki() {
        TSrodowisko t("K+");
        QCOMPARE(Kolor(t.obraz, 452, 200), Tlo);
        QCOMPARE(Kolor(t.obraz, 451, 267), Czarny); // the top of the gate dot of "as"
        QCOMPARE(Kolor(t.obraz, 452, 270), Tlo);    // its inside
        t.Wykonaj({TSygnal::wyl, TSygnal::as});
        QCOMPARE(Kolor(t.obraz, 452, 200), Czerwony);
        QCOMPARE(Kolor(t.obraz, 451, 267), Czerwony);
        QCOMPARE(Kolor(t.obraz, 452, 270), Tlo);
        QCOMPARE(Kolor(t.obraz, 451, 227), Czarny); // "sa" idle
        QVERIFY(t.M().Zajeta(Slot::MagS));
    }

    void obszaryRejestrowISygnalow() {
        TSrodowisko t;
        QVERIFY(Rowne(t.ObszarRejestru(Slot::L), 10, 134, 85, 159));
        QVERIFY(Rowne(t.ObszarRejestru(Slot::AK), 285, 155, 385, 180));
        QVERIFY(Rowne(t.ObszarRejestru(Slot::Znak), 260, 155, 286, 180));
        QVERIFY(Rowne(t.ObszarRejestru(Slot::ZAK), 263, 317, 288, 342));
        QVERIFY(Rowne(t.ObszarRejestru(Slot::KOD), 85, 345, 136, 370));
        QVERIFY(Rowne(t.ObszarRejestru(Slot::AD), 135, 345, 210, 370));
        QVERIFY(Rowne(t.ObszarRejestru(Slot::A), 510, 130, 660, 155));
        QVERIFY(Rowne(t.ObszarRejestru(Slot::MagA), 0, 75, 75, 101));
        QVERIFY(Rowne(t.ObszarRejestru(Slot::MagS), 0, 404, 75, 429));
        // Strictly inside only.
        QCOMPARE(t.obraz.RejestrW({11, 135}), Slot::L);
        QCOMPARE(t.obraz.RejestrW({84, 158}), Slot::L);
        QCOMPARE(t.obraz.RejestrW({10, 140}), 0);
        QCOMPARE(t.obraz.RejestrW({40, 159}), 0);
        QCOMPARE(t.obraz.RejestrW({135, 350}), Slot::KOD);
        QCOMPARE(t.obraz.RejestrW({136, 350}), Slot::AD);
        QCOMPARE(t.obraz.RejestrW({300, 300}), 0); // inside JAL, outside every box
        // Labels: "wel" left of its line at 124, "il" alone at 147 (K has no "dl").
        const TObszar& wel = t.Sygnal(TSygnal::wel).Obszar;
        QCOMPARE(wel.Prawo, 25);
        QCOMPARE(wel.Gora, 110);
        QCOMPARE(t.obraz.SygnalW(Srodek(wel)), N(TSygnal::wel));
        const TObszar& il = t.Sygnal(TSygnal::il).Obszar;
        QCOMPARE(il.Lewo, 87);
        QCOMPARE(il.Gora, 129);
        QCOMPARE(t.obraz.SygnalW(Srodek(il)), N(TSygnal::il));
        QCOMPARE(t.obraz.SygnalW({wel.Prawo, Srodek(wel).y()}), 0);
        // Both of a pair: "iak" at 160 and "dak" at 175 on "L".
        TSrodowisko l("L");
        QCOMPARE(l.Sygnal(TSygnal::iak).Obszar.Gora, 160 - 18);
        QCOMPARE(l.Sygnal(TSygnal::dak).Obszar.Gora, 175 - 18);
    }

    void nieobecneElementyNieSaRysowaneAniKlikalne() {
        TSrodowisko t("Max");
        const TObszar wex = t.Sygnal(TSygnal::wex).Obszar;
        QCOMPARE(t.obraz.SygnalW(Srodek(wex)), N(TSygnal::wex));
        QCOMPARE(t.obraz.RejestrW({120, 440}), Slot::X);
        QVERIFY(t.obraz.Panel_IRQ->isVisibleTo(&t.obraz));
        t.s.ZastosujPreset("K");
        t.obraz.RysujMaszyne();
        QVERIFY(Rowne(t.ObszarRejestru(Slot::X), -1, -1, -1, -1));
        QVERIFY(Rowne(t.ObszarRejestru(Slot::RZ), -1, -1, -1, -1));
        QCOMPARE(t.obraz.RejestrW({120, 440}), 0);
        QCOMPARE(t.obraz.OtworzMenu({120, 440}), nullptr);
        // The old label rectangle remains, but an absent signal cannot be chosen.
        QCOMPARE(t.obraz.SygnalW(Srodek(wex)), 0);
        QVERIFY(!t.obraz.KliknijSygnal(Srodek(wex)));
        QVERIFY(!t.Sygnal(TSygnal::wex).Wybrany);
        QCOMPARE(Kolor(t.obraz, 147, 440), Tlo); // where X's box was
        QVERIFY(!t.obraz.Panel_IRQ->isVisibleTo(&t.obraz));
        QVERIFY(t.obraz.ScrollBarPaO->isVisibleTo(&t.obraz));
        // No PaO at all: no window scroll bar, no A and S boxes.
        for (TSygnal x : {TSygnal::czyt, TSygnal::pisz, TSygnal::wea, TSygnal::wes, TSygnal::wys})
            t.Sygnal(x).Jest = false;
        WyprowadzElementy(t.s.Architektura);
        t.obraz.RysujMaszyne();
        QVERIFY(!t.obraz.ScrollBarPaO->isVisibleTo(&t.obraz));
        QVERIFY(Rowne(t.ObszarRejestru(Slot::A), -1, -1, -1, -1));
        QCOMPARE(Kolor(t.obraz, 600, 250), Tlo);
    }

    void menuRejestru() {
        TSrodowisko t;
        t.obraz.show();
        QContextMenuEvent klik(QContextMenuEvent::Mouse, QPoint(20, 140),
                               t.obraz.mapToGlobal(QPoint(20, 140)));
        QApplication::sendEvent(&t.obraz, &klik);
        QVERIFY(klik.isAccepted());
        QMenu* menu = t.obraz.PopupMenu1;
        QVERIFY(menu->isVisible());
        QCOMPARE(TObrazMaszyny::Tag(menu), Slot::L);
        QCOMPARE(menu->pos(), t.obraz.mapToGlobal(QPoint(11, 160)));
        QVERIFY(!t.obraz.Menu1_Dwojkowy->isChecked());
        QVERIFY(t.obraz.Menu1_Dziesietny->isChecked());
        QVERIFY(!t.obraz.Menu1_Szesnastkowy->isChecked());
        QStringList napisy;
        for (QAction* a : menu->actions())
            napisy << a->text();
        QCOMPARE(napisy, QStringList({"Zwiększ o 1", "Zmniejsz o 1", "Wpisz wartość", "Wyzeruj", "",
                                      "Tryb"}));
        t.obraz.Menu1_Zwieksz->trigger();
        QCOMPARE(t.M().Wartosc(Slot::L), 1u);
        t.obraz.Menu1_Zmniejsz->trigger();
        t.obraz.Menu1_Zmniejsz->trigger();
        QCOMPARE(t.M().Wartosc(Slot::L), 31u); // from 0 to the 5-bit mask
        t.obraz.Menu1_Zwieksz->trigger();
        QCOMPARE(t.M().Wartosc(Slot::L), 0u);
        t.M().UstawRejestr(Slot::L, 9);
        t.obraz.Menu1_Wyzeruj->trigger();
        QCOMPARE(t.M().Wartosc(Slot::L), 0u);
        t.obraz.Menu1_Szesnastkowy->trigger();
        QCOMPARE(t.s.Architektura.Rejestry[Slot::L].Podstawa, 16);
        menu->hide();

        // Reopened on AK: its own tag and tick; a base of none of the three ticks nothing.
        t.s.Architektura.Rejestry[Slot::AK].Podstawa = 8;
        QCOMPARE(t.obraz.OtworzMenu({300, 170}), menu);
        QCOMPARE(TObrazMaszyny::Tag(menu), Slot::AK);
        QVERIFY(!t.obraz.Menu1_Dwojkowy->isChecked() && !t.obraz.Menu1_Dziesietny->isChecked() &&
                !t.obraz.Menu1_Szesnastkowy->isChecked());
        t.obraz.Menu1_Dwojkowy->trigger();
        QCOMPARE(t.s.Architektura.Rejestry[Slot::AK].Podstawa, 2);
        QCOMPARE(t.s.Architektura.Rejestry[Slot::L].Podstawa, 16);
        menu->hide();
        QVERIFY(t.obraz.OtworzMenu({20, 140}));
        QVERIFY(t.obraz.Menu1_Szesnastkowy->isChecked() && !t.obraz.Menu1_Dwojkowy->isChecked());
        menu->hide();
        // Display-only boxes open nothing.
        QCOMPARE(t.obraz.OtworzMenu({270, 300}), nullptr); // PAK
    }

    void wpiszWartosc_data() {
        QTest::addColumn<QString>("tekst");
        QTest::addColumn<bool>("zatwierdz");
        QTest::addColumn<uint>("wynik");
        QTest::newRow("dziesiętnie") << "7" << true << 7u;
        QTest::newRow("szesnastkowo") << "$1F" << true << 31u;
        QTest::newRow("maskowane") << "100" << true << 4u;
        QTest::newRow("ujemne") << "-1" << true << 31u;
        QTest::newRow("nieliczba") << "abc" << true << 0u;
        QTest::newRow("anulowane") << "9" << false << 5u;
    }
    void wpiszWartosc() {
        QFETCH(QString, tekst);
        QFETCH(bool, zatwierdz);
        QFETCH(uint, wynik);
        TSrodowisko t;
        t.M().UstawRejestr(Slot::L, 5);
        QString tytul, etykieta, domyslny;
        t.obraz.WykonajModalnie = [&](QDialog& d) {
            auto& okno = static_cast<QInputDialog&>(d);
            tytul = okno.windowTitle();
            etykieta = okno.labelText();
            domyslny = okno.textValue();
            okno.setTextValue(tekst);
            return zatwierdz ? QDialog::Accepted : QDialog::Rejected;
        };
        QVERIFY(t.obraz.OtworzMenu({20, 140}));
        t.obraz.Menu1_WpiszWartosc->trigger();
        t.obraz.PopupMenu1->hide();
        QCOMPARE(tytul, QStringLiteral("Podaj nową wartość"));
        QCOMPARE(etykieta, QString());
        QCOMPARE(domyslny, QStringLiteral("0"));
        QCOMPARE(t.M().Wartosc(Slot::L), wynik);
    }

    void liczbaZTekstu() {
        QCOMPARE(LiczbaZTekstu("12"), std::optional<std::int32_t>(12));
        QCOMPARE(LiczbaZTekstu("$ff"), std::optional<std::int32_t>(255));
        QCOMPARE(LiczbaZTekstu("-$10"), std::optional<std::int32_t>(-16));
        QCOMPARE(LiczbaZTekstu("$FFFFFFFF"), std::optional<std::int32_t>(-1));
        QCOMPARE(LiczbaZTekstu("-2147483648"), std::optional<std::int32_t>(INT32_MIN));
        QCOMPARE(LiczbaZTekstu(" 7 "), std::optional<std::int32_t>(7));
        for (const char* zly : {"", "-", "$", "2147483648", "$100000000", "12a", "0x10", "1 2"})
            QVERIFY2(!LiczbaZTekstu(QString::fromLatin1(zly)), zly);
    }

    void menuBituIMagistrali() {
        TSrodowisko t("EK");
        QMenu* menu = t.obraz.OtworzMenu({270, 190}); // N
        QCOMPARE(menu, t.obraz.PopupMenu2);
        QCOMPARE(TObrazMaszyny::Tag(menu), Slot::N);
        QCOMPARE(t.obraz.Menu2_Ustaw1->text(), QStringLiteral("Ustaw na \"1\""));
        t.obraz.Menu2_Ustaw1->trigger();
        QCOMPARE(t.M().Wartosc(Slot::N), 1u);
        t.obraz.Menu2_Ustaw0->trigger();
        QCOMPARE(t.M().Wartosc(Slot::N), 0u);
        menu->hide();
        // The sign flag is AK's top bit.
        t.M().UstawRejestr(Slot::AK, 3);
        QCOMPARE(t.obraz.OtworzMenu({265, 165}), menu);
        QCOMPARE(TObrazMaszyny::Tag(menu), Slot::Znak);
        t.obraz.Menu2_Ustaw1->trigger();
        QCOMPARE(t.M().Wartosc(Slot::AK), 131u);
        t.obraz.Menu2_Ustaw0->trigger();
        QCOMPARE(t.M().Wartosc(Slot::AK), 3u);
        menu->hide();
        QCOMPARE(t.obraz.OtworzMenu({660, 445}), menu); // G
        t.obraz.Menu2_Ustaw1->trigger();
        QCOMPARE(t.M().Wartosc(Slot::G), 1u);
        menu->hide();
        // Bus menu: bases with the tick.
        menu = t.obraz.OtworzMenu({30, 85});
        QCOMPARE(menu, t.obraz.PopupMenu3);
        QCOMPARE(TObrazMaszyny::Tag(menu), Slot::MagA);
        QVERIFY(t.obraz.Menu3_Dziesietny->isChecked());
        t.obraz.Menu3_Dwojkowy->trigger();
        QCOMPARE(t.s.Architektura.Rejestry[Slot::MagA].Podstawa, 2);
        menu->hide();
        QCOMPARE(t.obraz.OtworzMenu({30, 415}), menu);
        QCOMPARE(TObrazMaszyny::Tag(menu), Slot::MagS);
        QVERIFY(!t.obraz.Menu3_Dwojkowy->isChecked() && t.obraz.Menu3_Dziesietny->isChecked());
        t.obraz.Menu3_Szesnastkowy->trigger();
        QCOMPARE(t.s.Architektura.Rejestry[Slot::MagS].Podstawa, 16);
        menu->hide();
    }

    void trybRecznyWykonujeWybraneIJeCzysci() {
        TSrodowisko t;
        t.obraz.show();
        t.M().UstawRejestr(Slot::L, 5);
        auto kliknij = [&](TSygnal x, Qt::MouseButton przycisk = Qt::LeftButton) {
            QTest::mouseClick(&t.obraz, przycisk, {}, Srodek(t.Sygnal(x).Obszar));
        };
        kliknij(TSygnal::wyl);
        QVERIFY(!t.Sygnal(TSygnal::wyl).Wybrany); // not in manual mode
        t.s.StanPracy.TrybPracy = 1;
        kliknij(TSygnal::wyl);
        kliknij(TSygnal::wea);
        kliknij(TSygnal::wel);
        kliknij(TSygnal::wel);
        kliknij(TSygnal::czyt, Qt::RightButton);
        QTest::mouseClick(&t.obraz, Qt::LeftButton, {}, QPoint(700, 300)); // outside every label
        for (int i = 1; i <= LiczbaSygnalow; ++i)
            QCOMPARE(t.s.Architektura.Sygnaly[static_cast<std::size_t>(i)].Wybrany,
                     i == N(TSygnal::wyl) || i == N(TSygnal::wea));
        QVERIFY(Ile(t.obraz, t.Sygnal(TSygnal::wea).Obszar, Niebieski) > 10);

        QSignalSpy stan(&t.przebieg, &TPrzebiegOkna::ZmianaStanu);
        t.przebieg.Takt(true);
        QCOMPARE(stan.count(), 1);
        QCOMPARE(t.M().Wartosc(Slot::A), 5u);
        QVERIFY(t.M().AktywnySygnal("wyl") && t.M().AktywnySygnal("wea"));
        QVERIFY(!t.M().AktywnySygnal("wel") && !t.M().AktywnySygnal("czyt"));
        QCOMPARE(t.M().BiezacyWiersz(), -1);
        for (int i = 1; i <= LiczbaSygnalow; ++i)
            QVERIFY(!t.s.Architektura.Sygnaly[static_cast<std::size_t>(i)].Wybrany);
        // Nothing chosen: an empty microinstruction.
        t.przebieg.Takt(true);
        QCOMPARE(t.M().BiezacyTekst(), std::string());
        QCOMPARE(t.M().Wartosc(Slot::A), 5u);
        QCOMPARE(t.M().BiezacyWiersz(), -1);
        // Without `reczny` the microprogram runs: the fetch.
        t.przebieg.Takt();
        QCOMPARE(t.M().BiezacyTekst(), std::string("czyt wys wei il"));
    }

    void przyciskiPrzerwan() {
        TSrodowisko t("L");
        QVERIFY(t.obraz.Panel_IRQ->isVisibleTo(&t.obraz));
        QCOMPARE(t.obraz.Panel_IRQ->geometry(), QRect(49, 0, 193, 25));
        QCOMPARE(t.obraz.SpeedButtonIRQ[8]->geometry(), QRect(168, 0, 25, 25));
        QVERIFY(t.obraz.SpeedButtonIRQ[1]->text().isEmpty());
        t.obraz.SpeedButtonIRQ[1]->click();
        QCOMPARE(t.M().Wartosc(Slot::RZ), 128u);
        t.obraz.SpeedButtonIRQ[8]->click();
        QCOMPARE(t.M().Wartosc(Slot::RZ), 129u);
    }

    void oknoPamieci() {
        TSrodowisko t;
        QScrollBar* pasek = t.obraz.ScrollBarPaO;
        QCOMPARE(pasek->minimum(), 0);
        QCOMPARE(pasek->maximum(), 23); // the last position shows 23 .. 31
        QCOMPARE(pasek->pageStep(), 8);
        QCOMPARE(pasek->geometry(), QRect(639, 161, 16, 180));
        // A word shows up in the row of its address, and moves with the window.
        const QImage pusty = t.obraz.Obraz().copy(560, 160, 78, 21);
        t.M().PiszPaO(0, 77);
        t.obraz.RysujMaszyne();
        QVERIFY(t.obraz.Obraz().copy(560, 160, 78, 21) != pusty);
        pasek->setValue(1);
        QCOMPARE(t.obraz.Obraz().copy(560, 160, 78, 21), pusty);
        t.M().UstawSzerokosci(24, 8);
        t.obraz.OdswiezMaszyne();
        QCOMPARE(pasek->maximum(), (1 << 24) - 1 - 8);
    }

    void powiekszenieKolkiemZCtrl() {
        TSrodowisko t;
        t.obraz.show();
        QCOMPARE(t.obraz.size(), QSize(705, 485));
        QWheelEvent kolko(QPointF(100, 100), t.obraz.mapToGlobal(QPointF(100, 100)), {},
                          QPoint(0, 120), Qt::NoButton, Qt::ControlModifier, Qt::NoScrollPhase,
                          false);
        QApplication::sendEvent(&t.obraz, &kolko);
        QCOMPARE(t.obraz.Skala(), 1.25);
        QCOMPARE(t.obraz.size(), QSize(882, 607));
        QWheelEvent bez(QPointF(100, 100), t.obraz.mapToGlobal(QPointF(100, 100)), {},
                        QPoint(0, 120), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(&t.obraz, &bez);
        QCOMPARE(t.obraz.Skala(), 1.25);
        t.obraz.UstawSkale(2);
        QCOMPARE(t.obraz.Obraz().size(), QSize(1410, 970));
        t.Wykonaj({TSygnal::wyl, TSygnal::wea});
        QCOMPARE(Kolor(t.obraz, 600, 202), Czerwony);
        QCOMPARE(Kolor(t.obraz, 600, 201), Czarny);
        QCOMPARE(Kolor(t.obraz, 600, 200), Czarny);
        QCOMPARE(t.obraz.ScrollBarPaO->geometry(), QRect(1278, 322, 32, 360));
        // Clicks are read in image pixels.
        t.s.StanPracy.TrybPracy = 1;
        QTest::mouseClick(&t.obraz, Qt::LeftButton, {}, Srodek(t.Sygnal(TSygnal::wel).Obszar) * 2);
        QVERIFY(t.Sygnal(TSygnal::wel).Wybrany);
    }

    void rozkazKonczySieNaKoncuRozkazu() {
        TSrodowisko t;
        t.Zaladuj(Przyklad);
        QSignalSpy stan(&t.przebieg, &TPrzebiegOkna::ZmianaStanu);
        QSignalSpy poczatek(&t.przebieg, &TPrzebiegOkna::PoczatekPrzebiegu);
        QSignalSpy koniec(&t.przebieg, &TPrzebiegOkna::KoniecPrzebiegu);
        t.przebieg.Rozkaz(); // "pob zero": the fetch and two rows
        QVERIFY(!t.przebieg.Trwa());
        QCOMPARE(t.przebieg.Takty(), 3u);
        QCOMPARE(t.M().BiezacyWiersz(), -1);
        QCOMPARE(t.M().Wartosc(Slot::L), 1u);
        QCOMPARE(stan.count(), 1);
        QCOMPARE(poczatek.count(), 1);
        QCOMPARE(koniec.count(), 1);
        QCOMPARE(t.s.StanPracy.TrybPracy, 0);
    }

    void programZatrzymanyStopem() {
        TSrodowisko t;
        t.Zaladuj(Przyklad);
        int wPolowieRozkazu = 0;
        connect(&t.przebieg, &TPrzebiegOkna::ZmianaStanu, this, [&] {
            if (t.przebieg.Trwa() && t.M().BiezacyWiersz() != -1) ++wPolowieRozkazu;
        });
        QSignalSpy stan(&t.przebieg, &TPrzebiegOkna::ZmianaStanu);
        QSignalSpy koniec(&t.przebieg, &TPrzebiegOkna::KoniecPrzebiegu);
        t.przebieg.Program();
        QVERIFY(t.przebieg.Trwa());
        QCOMPARE(t.s.StanPracy.TrybPracy, 2);
        // Ticks and manual commands wait while the program runs.
        const std::uint64_t przed = t.przebieg.Takty();
        t.przebieg.Takt();
        t.przebieg.Rozkaz();
        QCOMPARE(t.przebieg.Takty(), przed);
        QTest::qWait(150);
        QVERIFY(t.przebieg.Trwa());
        QVERIFY(stan.count() >= 2);
        QCOMPARE(wPolowieRozkazu, 0);
        t.przebieg.Stop();
        QVERIFY(!t.przebieg.Trwa());
        QCOMPARE(koniec.count(), 1);
        QCOMPARE(t.s.StanPracy.TrybPracy, 0);
        const std::uint64_t takty = t.przebieg.Takty();
        QVERIFY(takty > 1000);
        QTest::qWait(20);
        QCOMPARE(t.przebieg.Takty(), takty); // nothing runs after Stop

        // No tick lost or run twice: the same number of ticks in one go gives the same state.
        TSymulator w;
        w.KompilujMikroprogram();
        w.KompilujProgram(Przyklad);
        w.Maszyna.Reset();
        TPrzebieg wzor(w.Maszyna, TPolecenie::Program);
        QCOMPARE(wzor.Porcja(takty).Takty, takty);
        for (int slot = 1; slot <= LiczbaSlotow; ++slot)
            QCOMPARE(t.M().Wartosc(slot), w.Maszyna.Wartosc(slot));
        QCOMPARE(t.M().BiezacyWiersz(), w.Maszyna.BiezacyWiersz());
        QCOMPARE(t.M().CzytajPaO(20), w.Maszyna.CzytajPaO(20));
    }

    void programZatrzymanyPunktemZatrzymania() {
        TSrodowisko t;
        t.Zaladuj(Przyklad);
        std::string blad;
        TPunktZatrzymania p;
        p.Co = 0; // AK
        p.Relacja = 0;
        p.Wartosc1 = 5;
        QVERIFY(t.s.PunktyZatrzymania.DodajPunkt(p, blad));
        QSignalSpy koniec(&t.przebieg, &TPrzebiegOkna::KoniecPrzebiegu);
        t.przebieg.Program();
        QTRY_VERIFY(!t.przebieg.Trwa());
        QCOMPARE(koniec.count(), 1);
        QCOMPARE(t.M().Wartosc(Slot::AK), 5u);
        QCOMPARE(t.M().CzytajPaO(20), 4u); // stopped after the "dod", before the store
        QCOMPARE(t.s.StanPracy.TrybPracy, 0);
        QVERIFY(t.s.StanPracy.ZadanieStopu);
        QVERIFY(!t.s.Dziennik.Linie().empty());
        QVERIFY(
            QString::fromStdString(t.s.Dziennik.Linie().back()).startsWith("Breakpoint 1 OK = "));
        // The breakpoint still holds after any further tick; without it the run resumes there.
        t.przebieg.Rozkaz();
        QCOMPARE(t.przebieg.Takty(), 1u);
        t.s.PunktyZatrzymania.UsunWszystkie();
        t.przebieg.Rozkaz();
        QVERIFY(!t.przebieg.Trwa());
        QCOMPARE(t.M().CzytajPaO(20), 5u);
    }

    void programDoStpIPotemNic() {
        TSrodowisko t;
        t.Zaladuj({"pob jeden", "dod jeden", "stop", "jeden: rst 1"});
        t.przebieg.Program();
        QVERIFY(!t.przebieg.Trwa());
        QVERIFY(t.M().Zatrzymana());
        QCOMPARE(t.M().Wartosc(Slot::AK), 2u);
        QSignalSpy poczatek(&t.przebieg, &TPrzebiegOkna::PoczatekPrzebiegu);
        QSignalSpy stan(&t.przebieg, &TPrzebiegOkna::ZmianaStanu);
        t.przebieg.Program();
        t.przebieg.Rozkaz();
        t.przebieg.Takt();
        QCOMPARE(poczatek.count(), 0);
        QCOMPARE(stan.count(), 0);
    }

    // ---- the panel ----

    void panelUkladIObrazNaSrodku() {
        TPanel p;
        p.f.show();
        QCOMPARE(p.f.Image1->y(), 4);
        QVERIFY(p.f.ScrollBox1->viewport()->width() > 705 + 8);
        QTRY_COMPARE(p.f.Image1->x(), (p.f.ScrollBox1->viewport()->width() - 705) / 2);
        p.f.resize(500, 700);
        QTRY_COMPARE(p.f.Image1->x(), 4);
        QCOMPARE(p.f.Image1->parentWidget(), p.f.ScrollBox1->widget());
        QCOMPARE(p.f.ScrollBarPaO->parentWidget(), p.f.Image1);
        QStringList napisy;
        for (QToolButton* b : {p.f.SpeedButtonRecznie, p.f.SpeedButtonTakt, p.f.SpeedButtonRozkaz,
                               p.f.SpeedButtonProgram, p.f.SpeedButtonReset, p.f.SpeedButtonStop})
            napisy << b->text();
        QCOMPARE(napisy, QStringList({"Ręcznie", "Takt [F7]", "Rozkaz [F8]", "Program [F9]",
                                      "Reset", "Stop"}));
    }

    void panelRecznieITakt() {
        TPanel p;
        p.f.show();
        p.s.Architektura.Sygnaly[static_cast<std::size_t>(N(TSygnal::wea))].Wybrany = true;
        p.f.SpeedButtonRecznie->click();
        QCOMPARE(p.s.StanPracy.TrybPracy, 1);
        QVERIFY(!p.s.Architektura.Sygnaly[static_cast<std::size_t>(N(TSygnal::wea))].Wybrany);
        const TObszar& wel =
            p.s.Architektura.Sygnaly[static_cast<std::size_t>(N(TSygnal::wel))].Obszar;
        QTest::mouseClick(p.f.Image1, Qt::LeftButton, {}, Srodek(wel));
        p.f.SpeedButtonTakt->click();
        QCOMPARE(p.s.Maszyna.BiezacyTekst(), std::string("wel "));
        // Its message, in the list until the next tick.
        QCOMPARE(p.Lista(), QStringList{QStringLiteral(
                                "WEL - Próba odczytu z pustej magistrali adresowej A")});
        p.f.SpeedButtonTakt->click();
        QVERIFY(p.Lista().isEmpty());
        p.f.SpeedButtonRecznie->click();
        QCOMPARE(p.s.StanPracy.TrybPracy, 0);
    }

    void panelListaPoPrzebieguPokazujeOstatniTakt() {
        TPanel p;
        p.s.KompilujProgram(Przyklad);
        p.s.Maszyna.Reset();
        p.s.Maszyna.WykonajMikrorozkaz("wel");
        QCOMPARE(p.Lista().size(), 1);
        std::string blad;
        TPunktZatrzymania punkt;
        punkt.Wartosc1 = 9; // AK = 9
        QVERIFY(p.s.PunktyZatrzymania.DodajPunkt(punkt, blad));
        p.f.SpeedButtonProgram->click();
        QTRY_VERIFY(!p.f.Przebieg()->Trwa());
        QCOMPARE(p.s.Maszyna.Wartosc(Slot::AK), 9u);
        const QStringList lista = p.Lista();
        QCOMPARE(lista.size(), 1);
        QVERIFY(lista[0].startsWith(QStringLiteral("Breakpoint 1 OK = ")));
    }

    void panelStopResetIIRQWTrakcieProgramu() {
        TPanel p;
        p.s.ZastosujPreset("L");
        p.s.KompilujMikroprogram();
        p.s.KompilujProgram(Przyklad);
        p.s.Maszyna.Reset();
        p.f.OdswiezMaszyne();
        bool stopPrzyRozkazie = false;
        connect(p.f.Przebieg(), &TPrzebiegOkna::PoczatekPrzebiegu, this,
                [&] { stopPrzyRozkazie = p.f.SpeedButtonStop->isVisibleTo(&p.f); });
        p.f.SpeedButtonStop->hide();
        p.f.SpeedButtonRozkaz->click();
        QVERIFY(stopPrzyRozkazie);
        QVERIFY(!p.f.SpeedButtonStop->isVisibleTo(&p.f));

        p.f.SpeedButtonProgram->click();
        QVERIFY(p.f.Przebieg()->Trwa());
        QTest::qWait(30);
        p.f.Panel_IRQ->findChild<QToolButton*>(QStringLiteral("SpeedButton1"))->click();
        QCOMPARE(p.s.Maszyna.Wartosc(Slot::RZ), 128u);
        QVERIFY(p.f.Przebieg()->Trwa());
        p.f.SpeedButtonStop->click();
        QVERIFY(!p.f.Przebieg()->Trwa());
        QCOMPARE(p.s.StanPracy.TrybPracy, 0);

        p.f.SpeedButtonProgram->click();
        QTest::qWait(30);
        p.s.Konsola.UstawWejscie("x");
        p.f.SpeedButtonReset->click();
        QVERIFY(!p.f.Przebieg()->Trwa());
        QCOMPARE(p.s.StanPracy.TrybPracy, 0);
        QCOMPARE(p.s.Maszyna.Wartosc(Slot::L), 0u);
        QCOMPARE(p.s.Maszyna.BiezacyWiersz(), -1);
        QTest::qWait(20);
        QCOMPARE(p.s.Maszyna.Wartosc(Slot::L), 0u); // nothing ran after the Reset
    }
};

std::unique_ptr<QObject> TestySchematu() {
    return std::make_unique<TestSchematu>();
}

#include "test_schemat.moc"
