#include "Schemat.h"

#include <algorithm>
#include <array>
#include <initializer_list>

#include "Liczby.h"
#include "Maszyna.h"

namespace {

enum class TStrona : std::uint8_t { Lewa, Prawa };
enum class TKoniec : std::uint8_t { Belka, Strzalka };
enum class TGrot : std::uint8_t { Gora, Dol };
enum class TKroj : std::uint8_t { Zwykly, Gruby, GrubyKursywa };

using S = TSygnal;
using E = TElement;

struct TPoziomy {
    TSygnal sygnal;
    int x, y;
    TStrona strona;
    TKoniec koniec;
};

struct TPionowy {
    TSygnal sygnal;
    int x, gora, dol;
    TGrot grot;
    TStrona strona;
    int yEtykiety;
    TKoniec koniec;
};

// An increment/decrement pair: label right, arrow end; at y1 and y2 when both exist,
// at ySam when only one does.
struct TPara {
    TSygnal zwieksz, zmniejsz;
    int x, y1, y2, ySam;
};

struct TSkrzynka {
    int slot;
    int l, t, r, b;
};

// 7 x 7 pixel masks: # signal colour, o button face, . untouched.
using TMaska = std::array<std::string_view, 7>;
constexpr TMaska MaskaKropki = {"..###..", ".#ooo#.", "#ooooo#", "#ooooo#",
                                "#ooooo#", ".#ooo#.", "..###.."};
constexpr TMaska MaskaLewa = {".......", ".####..", "..#####", "#######",
                              "..#####", ".####..", "......."};
constexpr TMaska MaskaPrawa = {".......", "..####.", "#####..", "#######",
                               "#####..", "..####.", "......."};

// ---- the layout, in image pixels ----

constexpr TSkrzynka SkrzynkaL = {Slot::L, 10, 134, 85, 159};
constexpr TPionowy SygnalyL[] = {
    {S::wel, 35, 104, 134, TGrot::Dol, TStrona::Lewa, 124, TKoniec::Strzalka},
    {S::wyl, 60, 104, 134, TGrot::Gora, TStrona::Prawa, 124, TKoniec::Belka},
    {S::wyls, 47, 159, 400, TGrot::Dol, TStrona::Prawa, 179, TKoniec::Belka},
};
constexpr TPara ParaL = {S::il, S::dl, 85, 139, 154, 147};

constexpr TSkrzynka SkrzynkaKOD = {Slot::KOD, 85, 345, 136, 370};
constexpr TSkrzynka SkrzynkaAD = {Slot::AD, 135, 345, 210, 370};
constexpr TPionowy SygnalyI[] = {
    {S::wei, 147, 370, 400, TGrot::Gora, TStrona::Lewa, 390, TKoniec::Strzalka},
    {S::wyad, 172, 104, 345, TGrot::Gora, TStrona::Prawa, 330, TKoniec::Belka},
};

constexpr TPoziomy SygnalyPolaczenia[] = {
    {S::sa, 456, 230, TStrona::Prawa, TKoniec::Belka},
    {S::assa, 456, 250, TStrona::Prawa, TKoniec::Belka},
    {S::as, 456, 270, TStrona::Prawa, TKoniec::Belka},
};

constexpr TSkrzynka SkrzynkaAK = {Slot::AK, 285, 155, 385, 180};
constexpr TSkrzynka SkrzynkaZnaku = {Slot::Znak, 260, 155, 286, 180};
struct TFlaga {
    TSkrzynka skrzynka;
    const char* nazwa;
};
constexpr TFlaga Flagi[] = {
    {{Slot::N, 263, 182, 288, 207}, "N"},     {{Slot::NP, 263, 209, 288, 234}, "NP"},
    {{Slot::NM, 263, 236, 288, 261}, "NM"},   {{Slot::INT, 263, 263, 288, 288}, "INT"},
    {{Slot::PAK, 263, 290, 288, 315}, "PAK"}, {{Slot::ZAK, 263, 317, 288, 342}, "ZAK"},
};
// A flag's name answers the pointer from its box's right edge to here.
constexpr int KoniecNazwFlag = 331;
constexpr TPionowy SygnalyJal[] = {
    {S::weja, 323, 345, 400, TGrot::Gora, TStrona::Lewa, 375, TKoniec::Belka},
    {S::wyak, 435, 130, 400, TGrot::Dol, TStrona::Lewa, 375, TKoniec::Belka},
};
constexpr TPoziomy SygnalyJalPoziome[] = {
    {S::weak, 259, 179, TStrona::Lewa, TKoniec::Strzalka},
    {S::dod, 259, 219, TStrona::Lewa, TKoniec::Belka},
    {S::ode, 259, 239, TStrona::Lewa, TKoniec::Belka},
    {S::przep, 259, 259, TStrona::Lewa, TKoniec::Belka},
    {S::mnoz, 259, 299, TStrona::Lewa, TKoniec::Belka},
    {S::dziel, 259, 319, TStrona::Lewa, TKoniec::Belka},
    {S::and_, 385, 219, TStrona::Prawa, TKoniec::Belka},
    {S::or_, 385, 239, TStrona::Prawa, TKoniec::Belka},
    {S::not_, 385, 259, TStrona::Prawa, TKoniec::Belka},
    {S::xor_, 385, 279, TStrona::Prawa, TKoniec::Belka},
    {S::shl, 385, 319, TStrona::Prawa, TKoniec::Belka},
    {S::shr, 385, 339, TStrona::Prawa, TKoniec::Belka},
};
constexpr TPara ParaAK = {S::iak, S::dak, 385, 160, 175, 168};

constexpr TSkrzynka SkrzynkiPrzerwan[] = {
    {Slot::RZ, 250, 0, 325, 25},
    {Slot::RM, 250, 45, 325, 70},
    {Slot::RP, 350, 0, 425, 25},
    {Slot::AP, 350, 45, 425, 70},
};
constexpr TPionowy SygnalyPrzerwan[] = {
    {S::werm, 275, 70, 100, TGrot::Gora, TStrona::Lewa, 90, TKoniec::Strzalka},
    {S::wyrm, 300, 70, 100, TGrot::Dol, TStrona::Prawa, 90, TKoniec::Belka},
    {S::wyap, 387, 70, 100, TGrot::Dol, TStrona::Prawa, 90, TKoniec::Belka},
};
constexpr TPoziomy SygnalyPrzerwanPoziome[] = {
    {S::eni, 425, 13, TStrona::Prawa, TKoniec::Strzalka},
    {S::rint, 425, 58, TStrona::Prawa, TKoniec::Strzalka},
};
// Eight 25-pixel buttons overlapping by one, ending 8 pixels before the RZ box.
constexpr int SzerokoscPrzyciskow = 24 * 7 + 25;
constexpr TObszar MiejscePrzyciskow = {250 - SzerokoscPrzyciskow - 8, 0, 250 - 8, 25};

// U, V and X, Y, Z: one register on a bus with its in, out and the increment pair.
struct TRejestrOgolny {
    TElement element;
    TSkrzynka skrzynka;
    TPionowy we, wy;
    TPara para;
};
constexpr TRejestrOgolny RejestryOgolne[] = {
    {E::U,
     {Slot::U, 480, 45, 555, 70},
     {S::weu, 505, 70, 100, TGrot::Gora, TStrona::Lewa, 90, TKoniec::Strzalka},
     {S::wyu, 530, 70, 100, TGrot::Dol, TStrona::Prawa, 90, TKoniec::Belka},
     {S::iu, S::du, 555, 50, 65, 58}},
    {E::V,
     {Slot::V, 600, 45, 675, 70},
     {S::wev, 625, 70, 100, TGrot::Gora, TStrona::Lewa, 90, TKoniec::Strzalka},
     {S::wyv, 650, 70, 100, TGrot::Dol, TStrona::Prawa, 90, TKoniec::Belka},
     {S::iv, S::dv, 675, 50, 65, 58}},
};
constexpr TRejestrOgolny RejestryXYZ[] = {
    {E::X,
     {Slot::X, 110, 434, 185, 459},
     {S::wex, 135, 404, 434, TGrot::Dol, TStrona::Lewa, 424, TKoniec::Strzalka},
     {S::wyx, 160, 404, 434, TGrot::Gora, TStrona::Prawa, 424, TKoniec::Belka},
     {S::ix, S::dx, 185, 439, 454, 447}},
    {E::Y,
     {Slot::Y, 230, 434, 305, 459},
     {S::wey, 255, 404, 434, TGrot::Dol, TStrona::Lewa, 424, TKoniec::Strzalka},
     {S::wyy, 280, 404, 434, TGrot::Gora, TStrona::Prawa, 424, TKoniec::Belka},
     {S::iy, S::dy, 305, 439, 454, 447}},
    {E::Z,
     {Slot::Z, 350, 434, 425, 459},
     {S::wez, 375, 404, 434, TGrot::Dol, TStrona::Lewa, 424, TKoniec::Strzalka},
     {S::wyz, 400, 404, 434, TGrot::Gora, TStrona::Prawa, 424, TKoniec::Belka},
     {S::iz, S::dz, 425, 439, 454, 447}},
};

constexpr TSkrzynka SkrzynkaA = {Slot::A, 510, 130, 660, 155};
constexpr TSkrzynka SkrzynkaS = {Slot::S, 510, 345, 660, 370};
constexpr TPionowy SygnalyPaO[] = {
    {S::wea, 585, 100, 130, TGrot::Dol, TStrona::Prawa, 120, TKoniec::Strzalka},
    {S::wes, 560, 370, 400, TGrot::Gora, TStrona::Lewa, 390, TKoniec::Strzalka},
    {S::wys, 610, 370, 400, TGrot::Dol, TStrona::Prawa, 390, TKoniec::Belka},
};
constexpr TPoziomy SygnalyPaOPoziome[] = {
    {S::czyt, 660, 233, TStrona::Prawa, TKoniec::Belka},
    {S::pisz, 660, 263, TStrona::Prawa, TKoniec::Belka},
};
constexpr int WierszePamieci = 9;
constexpr TObszar MiejscePaska = {639, 161, 655, 341};

// The device side: RB_we, RB_wy and G, each with its one signal.
struct TRejestrUrzadzenia {
    TElement element;
    TSkrzynka skrzynka;
    TPionowy sygnal;
};
constexpr TRejestrUrzadzenia RejestryUrzadzen[] = {
    {E::RB_we,
     {Slot::RB_we, 470, 434, 545, 459},
     {S::werb, 507, 404, 434, TGrot::Dol, TStrona::Lewa, 424, TKoniec::Strzalka}},
    {E::RB_wy,
     {Slot::RB_wy, 560, 434, 635, 459},
     {S::wyrb, 597, 404, 434, TGrot::Gora, TStrona::Prawa, 424, TKoniec::Belka}},
    {E::G,
     {Slot::G, 650, 434, 675, 459},
     {S::wyg, 662, 404, 434, TGrot::Gora, TStrona::Prawa, 424, TKoniec::Belka}},
};

constexpr TPoziomy SygnalStart = {S::start, 650, 479, TStrona::Prawa, TKoniec::Belka};

struct TMagistrala {
    TSkrzynka skrzynka;
    int l, t, r, b; // the bar
};
constexpr TMagistrala MagistralaA = {{Slot::MagA, 0, 75, 75, 101}, 0, 100, 700, 105};
constexpr TMagistrala MagistralaS = {{Slot::MagS, 0, 404, 75, 429}, 0, 400, 700, 405};

// Room kept free on each side of a value in its box, and the smallest type a value is
// set in before it is shortened.
constexpr int MarginesWartosci = 3, NajmniejszaCzcionka = 9;

constexpr TRodzajMenu MenuSlotow[LiczbaSlotow + 1] = {
    TRodzajMenu::Brak,
    // L, X, Y, Z, RB_we, RB_wy
    TRodzajMenu::Rejestr, TRodzajMenu::Rejestr, TRodzajMenu::Rejestr, TRodzajMenu::Rejestr,
    TRodzajMenu::Rejestr, TRodzajMenu::Rejestr,
    TRodzajMenu::Bit, // G
    // RZ, RM, RP, AP, A, S, KOD, AD
    TRodzajMenu::Rejestr, TRodzajMenu::Rejestr, TRodzajMenu::Rejestr, TRodzajMenu::Rejestr,
    TRodzajMenu::Rejestr, TRodzajMenu::Rejestr, TRodzajMenu::Rejestr, TRodzajMenu::Rejestr,
    TRodzajMenu::Magistrala, TRodzajMenu::Magistrala, // buses A, S
    TRodzajMenu::Rejestr,                             // AK
    TRodzajMenu::Brak, TRodzajMenu::Brak,             // JAL latches
    // N, NP, NM, the sign flag
    TRodzajMenu::Bit, TRodzajMenu::Bit, TRodzajMenu::Bit, TRodzajMenu::Bit,
    // INT, PAK, ZAK follow from other registers
    TRodzajMenu::Brak, TRodzajMenu::Brak, TRodzajMenu::Brak, TRodzajMenu::Rejestr,
    TRodzajMenu::Rejestr, // U, V
};

constexpr int N(TSygnal s) {
    return static_cast<int>(s);
}

// Builds one picture, call by call in the order the parts are painted.
class TRysownik {
  public:
    TRysownik(const TMaszyna& m, const TArchitektura& a, std::int64_t pozycjaPaO,
              const TMiaraTekstu& miara, TObrazSchematu& obraz)
        : m(m), a(a), pozycjaPaO(pozycjaPaO), miara(miara), o(obraz) {
        for (int i = 0; i < 3; ++i) {
            TCzcionka& c = czcionki[static_cast<std::size_t>(i)];
            c.Gruba = i != 0;
            c.Kursywa = i == 2;
            wysokosci[static_cast<std::size_t>(i)] = miara.Wysokosc(c);
        }
    }

    void Rysuj() {
        o.Prymitywy.clear();
        o.Miejsca.clear();
        o.PozycjaPamieci = pozycjaPaO;
        o.OstatniaPozycjaPamieci = static_cast<std::int64_t>(m.MaskaAdresu()) - 8;
        o.PasekPamieci = a.Element(E::PaO) ? MiejscePaska : TObszar{};
        o.PrzyciskiPrzerwan = a.Element(E::Przerwania) ? MiejscePrzyciskow : TObszar{};
        Wypelnij(0, 0, 800, 500, KolorTla);
        RysujL();
        RysujI();
        RysujPolaczenie();
        RysujJal();
        RysujPrzerwania();
        for (const auto& r : RejestryOgolne)
            if (a.Element(r.element)) RysujRejestrOgolny(r);
        RysujPaO();
        for (const auto& r : RejestryXYZ)
            if (a.Element(r.element)) RysujRejestrOgolny(r);
        for (const auto& r : RejestryUrzadzen)
            if (a.Element(r.element)) {
                Rejestr(r.skrzynka, TekstWartosci(r.skrzynka.slot), false);
                Pionowy(r.sygnal);
            }
        Poziomy(SygnalStart);
        Magistrala(MagistralaA);
        Magistrala(MagistralaS);
    }

  private:
    // ---- primitives ----

    TPrymityw& Dodaj(TRodzajPrymitywu rodzaj, int x1, int y1, int x2, int y2, TKolor k) {
        TPrymityw& p = o.Prymitywy.emplace_back();
        p.Rodzaj = rodzaj;
        p.X1 = x1;
        p.Y1 = y1;
        p.X2 = x2;
        p.Y2 = y2;
        p.Kolor = k;
        return p;
    }

    void Piksel(int x, int y, TKolor k) { Dodaj(TRodzajPrymitywu::Piksel, x, y, x, y, k); }
    void Linia(int x1, int y1, int x2, int y2, TKolor k, int grubosc = 1) {
        if (x1 == x2 && y1 == y2) return;
        Dodaj(TRodzajPrymitywu::Linia, x1, y1, x2, y2, k).Grubosc =
            static_cast<std::uint8_t>(grubosc);
    }
    void Wypelnij(int l, int t, int r, int b, TKolor k) {
        Dodaj(TRodzajPrymitywu::Prostokat, l, t, r, b, k);
    }
    void Prostokat(int l, int t, int r, int b, TKolor wypelnienie = KolorTla) {
        Dodaj(TRodzajPrymitywu::Prostokat, l, t, r, b, wypelnienie).Obrys = true;
    }

    void Maska(const TMaska& maska, int x0, int y0, TKolor k) {
        for (int y = 0; y < 7; ++y)
            for (int x = 0; x < 7; ++x) {
                const char c = maska[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)];
                if (c != '.') Piksel(x0 + x, y0 + y, c == '#' ? k : KolorTla);
            }
    }

    const TCzcionka& Czcionka(TKroj k) const { return czcionki[static_cast<std::size_t>(k)]; }
    int SzerokoscTekstu(std::string_view t, TKroj k) const {
        return miara.Szerokosc(t, Czcionka(k));
    }
    int WysokoscTekstu(TKroj k) const { return wysokosci[static_cast<std::size_t>(k)]; }

    // Text with its top-left corner at x, y.
    void Tekst(int x, int y, std::string t, TKolor k, const TCzcionka& czcionka) {
        TPrymityw& p = Dodaj(TRodzajPrymitywu::Tekst, x, y, x, y, k);
        p.Czcionka = czcionka;
        p.Tekst = std::move(t);
    }

    void Miejsce(TRodzajMiejsca rodzaj, int numer, int l, int t, int r, int b,
                 TRodzajMenu menu = TRodzajMenu::Brak) {
        TMiejsce& p = o.Miejsca.emplace_back();
        p.Rodzaj = rodzaj;
        p.Numer = numer;
        p.Obszar = {l, t, r, b};
        p.Menu = menu;
    }

    // ---- signals ----

    bool Jest(TSygnal s) const { return a.Jest(N(s)); }
    bool Aktywny(TSygnal s) const {
        return m.AktywnySygnal(NazwySygnalow[static_cast<std::size_t>(N(s))]);
    }
    TKolor KolorSygnalu(TSygnal s) const { return Aktywny(s) ? KolorAktywny : KolorCzarny; }

    // A label: blue bold italic while chosen, else red bold while active, else black.
    struct TEtykieta {
        std::string_view tekst;
        TKolor kolor;
        TKroj kroj;
        int w, h;
    };
    TEtykieta Etykieta(TSygnal s) const {
        TEtykieta e;
        e.tekst = NazwySygnalow[static_cast<std::size_t>(N(s))];
        const bool aktywny = Aktywny(s);
        if (a.Sygnaly[static_cast<std::size_t>(N(s))].Wybrany) {
            e.kolor = KolorWybrany;
            e.kroj = TKroj::GrubyKursywa;
        } else {
            e.kolor = aktywny ? KolorAktywny : KolorCzarny;
            e.kroj = aktywny ? TKroj::Gruby : TKroj::Zwykly;
        }
        e.w = SzerokoscTekstu(e.tekst, e.kroj);
        e.h = WysokoscTekstu(e.kroj);
        return e;
    }
    void TekstEtykiety(int x, int y, const TEtykieta& e) {
        Tekst(x, y, std::string(e.tekst), e.kolor, Czcionka(e.kroj));
    }
    void MiejsceSygnalu(TSygnal s, int l, int t, int r, int b) {
        Miejsce(TRodzajMiejsca::Sygnal, N(s), l, t, r, b);
    }

    void Poziomy(const TPoziomy& s) { Poziomy(s.sygnal, s.x, s.y, s.strona, s.koniec); }
    void Poziomy(TSygnal s, int x, int y, TStrona strona, TKoniec koniec) {
        if (!Jest(s)) return;
        const TKolor k = KolorSygnalu(s);
        const TEtykieta e = Etykieta(s);
        if (strona == TStrona::Prawa) {
            TekstEtykiety(x + 6, y - 14, e);
            Linia(x, y, x + e.w + 8, y, k);
            MiejsceSygnalu(s, x + 2, y - 18, x + e.w + 10, y + e.h - 10);
            if (koniec == TKoniec::Belka)
                Linia(x + 4, y - 4, x + 4, y + 5, k);
            else
                Maska(MaskaPrawa, x, y - 3, k);
        } else {
            TekstEtykiety(x - 6 - e.w, y - 14, e);
            Linia(x, y, x - e.w - 10, y, k);
            MiejsceSygnalu(s, x - 6 - e.w, y - 14, x - 6, y - 14 + e.h);
            if (koniec == TKoniec::Belka)
                Linia(x - 4, y - 4, x - 4, y + 5, k);
            else
                Maska(MaskaLewa, x - 6, y - 3, k);
        }
    }

    // A vertical signal: three pixels wide while active, its arrow head drawn thrice.
    void Pionowy(const TPionowy& s) {
        if (!Jest(s.sygnal)) return;
        const bool aktywny = Aktywny(s.sygnal);
        const TKolor k = aktywny ? KolorAktywny : KolorCzarny;
        const int x = s.x;
        Linia(x, s.gora, x, s.dol, k, aktywny ? 3 : 1);
        const int yt = s.grot == TGrot::Gora ? s.gora : s.dol;
        const int wglab = s.grot == TGrot::Gora ? 5 : -5;
        for (int d = 0; d <= (aktywny ? 2 : 0); ++d) {
            Linia(x - d, yt, x - d - 5, yt + wglab, k);
            Linia(x + d, yt, x + d + 5, yt + wglab, k);
        }
        const TEtykieta e = Etykieta(s.sygnal);
        const int y = s.yEtykiety;
        if (s.strona == TStrona::Lewa) {
            TekstEtykiety(x - e.w - 10, y - 14, e);
            Linia(x, y, x - e.w - 12, y, k);
            MiejsceSygnalu(s.sygnal, x - e.w - 10, y - 14, x - 10, y - 14 + e.h);
            if (s.koniec == TKoniec::Belka)
                Linia(x - 8, y - 4, x - 8, y + 5, k);
            else
                Maska(MaskaLewa, x - 4 - 6, y - 3, k);
        } else {
            TekstEtykiety(x + 10, y - 14, e);
            Linia(x, y, x + e.w + 12, y, k);
            MiejsceSygnalu(s.sygnal, x + 10, y - 14, x + e.w + 10, y - 14 + e.h);
            if (s.koniec == TKoniec::Belka)
                Linia(x + 8, y - 4, x + 8, y + 5, k);
            else
                Maska(MaskaPrawa, x + 4, y - 3, k);
        }
        Maska(MaskaKropki, x - 3, y - 3, k);
    }

    void Para(const TPara& para) {
        const bool z = Jest(para.zwieksz), d = Jest(para.zmniejsz);
        if (z && d) {
            Poziomy(para.zwieksz, para.x, para.y1, TStrona::Prawa, TKoniec::Strzalka);
            Poziomy(para.zmniejsz, para.x, para.y2, TStrona::Prawa, TKoniec::Strzalka);
        } else if (z) {
            Poziomy(para.zwieksz, para.x, para.ySam, TStrona::Prawa, TKoniec::Strzalka);
        } else if (d) {
            Poziomy(para.zmniejsz, para.x, para.ySam, TStrona::Prawa, TKoniec::Strzalka);
        }
    }

    // ---- boxes ----

    std::string TekstWartosci(int slot) const {
        const std::uint32_t ak = m.Wartosc(Slot::AK);
        switch (slot) {
        case Slot::G:
            return m.WartoscTekst(Slot::G);
        case Slot::Znak:
            return std::to_string((ak >> (m.BitySlowa() - 1)) & 1u);
        case Slot::INT:
            return m.Wartosc(Slot::RP) != 0 ? "1" : "0";
        case Slot::PAK:
            return (ak & 1u) == 0 ? "1" : "0";
        case Slot::ZAK:
            return ak == 0 ? "1" : "0";
        default:
            break;
        }
        const int szerokosc =
            slot == Slot::MagA || slot == Slot::MagS ? m.BitySlowa() : m.Szerokosc(slot);
        return FormatujLiczbe(static_cast<std::int32_t>(m.Wartosc(slot)),
                              a.Rejestry[static_cast<std::size_t>(slot)].Podstawa, szerokosc);
    }

    // A box with its value centred (on x `srodekX` when given) and its hit rectangle.
    // A value too wide for the box is set smaller, down to a size still easy to read, and
    // beyond that shortened in the middle; the box keeps its size and the full value
    // goes with its place.
    void Rejestr(const TSkrzynka& s, std::string tekst, bool wyrozniony, int srodekX = -1) {
        Prostokat(s.l, s.t, s.r, s.b);
        Miejsce(TRodzajMiejsca::Rejestr, s.slot, s.l, s.t, s.r, s.b, MenuSlotu(s.slot));
        const int cx = srodekX >= 0 ? srodekX : (s.l + s.r) / 2;
        const int cy = (s.t + s.b) / 2;
        const int miejsce = 2 * std::min(cx - s.l, s.r - cx) - 2 * MarginesWartosci;
        TCzcionka czcionka = Czcionka(wyrozniony ? TKroj::Gruby : TKroj::Zwykly);
        int w = miara.Szerokosc(tekst, czcionka);
        while (w > miejsce && czcionka.Rozmiar > NajmniejszaCzcionka) {
            --czcionka.Rozmiar;
            w = miara.Szerokosc(tekst, czcionka);
        }
        std::string t;
        if (w > miejsce) {
            t = miara.SkrocWSrodku(tekst, czcionka, miejsce);
            w = miara.Szerokosc(t, czcionka);
            o.Miejsca.back().PelnaWartosc = std::move(tekst);
        } else {
            t = std::move(tekst);
        }
        const int h = miara.Wysokosc(czcionka);
        Tekst(cx - w / 2, cy - h / 2, std::move(t), wyrozniony ? KolorAktywny : KolorCzarny,
              czcionka);
    }
    void Rejestr(const TSkrzynka& s, bool wyrozniony) {
        Rejestr(s, TekstWartosci(s.slot), wyrozniony);
    }

    bool KtorykolwiekAktywny(std::initializer_list<TSygnal> sygnaly) const {
        for (TSygnal s : sygnaly)
            if (Aktywny(s)) return true;
        return false;
    }

    // ---- components ----

    void RysujL() {
        if (!a.Element(E::L)) return;
        Rejestr(SkrzynkaL, KtorykolwiekAktywny({S::wel, S::il, S::dl}));
        for (const auto& s : SygnalyL)
            Pionowy(s);
        Para(ParaL);
    }

    void RysujI() {
        if (!a.Element(E::I)) return;
        const bool wei = Aktywny(S::wei);
        Prostokat(85, 345, 210, 370);
        Rejestr(SkrzynkaKOD, wei);
        Rejestr(SkrzynkaAD, wei);
        Linia(85, 345, 65, 325, KolorCzarny);
        Linia(65, 325, 155, 325, KolorCzarny);
        Linia(155, 325, 135, 345, KolorCzarny);
        for (const auto& s : SygnalyI)
            Pionowy(s);
    }

    void RysujPolaczenie() {
        if (!a.Element(E::Polaczenie)) return;
        Prostokat(450, 100, 455, 401,
                  KtorykolwiekAktywny({S::assa, S::as, S::sa}) ? KolorAktywny : KolorTla);
        for (const auto& s : SygnalyPolaczenia) {
            if (!Jest(s.sygnal)) continue;
            Poziomy(s);
            Maska(MaskaKropki, 452 - 3, s.y - 3, KolorSygnalu(s.sygnal));
        }
    }

    void RysujJal() {
        if (!a.Element(E::Jal)) return;
        const bool weak = Aktywny(S::weak);
        Prostokat(260, 155, 385, 345);
        Rejestr(SkrzynkaAK, TekstWartosci(Slot::AK), weak, 323);
        Rejestr(SkrzynkaZnaku, weak);
        const int h = WysokoscTekstu(TKroj::Zwykly);
        for (const auto& f : Flagi) {
            Rejestr(f.skrzynka, false);
            Tekst(298, (f.skrzynka.t + f.skrzynka.b) / 2 - h / 2, f.nazwa, KolorCzarny,
                  Czcionka(TKroj::Zwykly));
            Miejsce(TRodzajMiejsca::NazwaFlagi, f.skrzynka.slot, f.skrzynka.r, f.skrzynka.t,
                    KoniecNazwFlag, f.skrzynka.b);
        }
        for (const auto& s : SygnalyJal)
            Pionowy(s);
        if (Jest(S::wyak)) {
            // From AK's top to the wyak line; three pixels wide while active.
            const bool aktywny = Aktywny(S::wyak);
            const TKolor k = aktywny ? KolorAktywny : KolorCzarny;
            for (int d = aktywny ? -1 : 0; d <= (aktywny ? 1 : 0); ++d) {
                Linia(323 + d, 155, 323 + d, 130 + d, k);
                Linia(323 + d, 130 + d, 435, 130 + d, k);
            }
        }
        for (const auto& s : SygnalyJalPoziome)
            Poziomy(s);
        Para(ParaAK);
    }

    void RysujPrzerwania() {
        if (!a.Element(E::Przerwania)) return;
        for (const auto& s : SkrzynkiPrzerwan)
            Rejestr(s, false);
        for (const auto& s : SygnalyPrzerwan)
            Pionowy(s);
        for (const auto& s : SygnalyPrzerwanPoziome)
            Poziomy(s);
    }

    void RysujRejestrOgolny(const TRejestrOgolny& r) {
        Rejestr(r.skrzynka, false);
        Pionowy(r.we);
        Pionowy(r.wy);
        Para(r.para);
    }

    // The nine rows of the memory window: address and signed word, both right-aligned.
    void RysujPaO() {
        if (!a.Element(E::PaO)) return;
        Prostokat(510, 130, 660, 370);
        Rejestr(SkrzynkaA, Aktywny(S::wea));
        Rejestr(SkrzynkaS, Aktywny(S::wes));
        const int h = WysokoscTekstu(TKroj::Zwykly);
        for (int r = 0; r < WierszePamieci; ++r) {
            const int t = 160 + 20 * r, b = 181 + 20 * r, srodek = 170 + 20 * r;
            const std::int64_t adres = pozycjaPaO + r;
            Prostokat(515, t, 561, b);
            Prostokat(560, t, 638, b);
            std::string ta = std::to_string(adres);
            const int wa = SzerokoscTekstu(ta, TKroj::Zwykly);
            Tekst(559 - wa, srodek - h / 2, std::move(ta), KolorCzarny, Czcionka(TKroj::Zwykly));
            std::string tw = std::to_string(static_cast<std::int32_t>(m.CzytajPaO(adres)));
            const int ww = SzerokoscTekstu(tw, TKroj::Zwykly);
            Tekst(636 - ww, srodek - h / 2, std::move(tw), KolorCzarny, Czcionka(TKroj::Zwykly));
        }
        for (const auto& s : SygnalyPaO)
            Pionowy(s);
        for (const auto& s : SygnalyPaOPoziome)
            Poziomy(s);
    }

    void Magistrala(const TMagistrala& g) {
        Rejestr(g.skrzynka, false);
        Prostokat(g.l, g.t, g.r, g.b, m.Zajeta(g.skrzynka.slot) ? KolorAktywny : KolorTla);
        Miejsce(TRodzajMiejsca::Magistrala, g.skrzynka.slot, g.l, g.t, g.r, g.b);
    }

    const TMaszyna& m;
    const TArchitektura& a;
    std::int64_t pozycjaPaO;
    const TMiaraTekstu& miara;
    TObrazSchematu& o;
    std::array<TCzcionka, 3> czcionki;
    std::array<int, 3> wysokosci{};
};

} // namespace

TRodzajMenu MenuSlotu(int slot) {
    return slot >= 1 && slot <= LiczbaSlotow ? MenuSlotow[slot] : TRodzajMenu::Brak;
}

const TMiejsce* TObrazSchematu::Znajdz(TRodzajMiejsca rodzaj, int numer) const {
    for (const TMiejsce& p : Miejsca)
        if (p.Rodzaj == rodzaj && p.Numer == numer) return &p;
    return nullptr;
}

namespace {
const TMiejsce* NajwyzszyScisle(const std::vector<TMiejsce>& miejsca, TRodzajMiejsca rodzaj, int x,
                                int y) {
    const TMiejsce* w = nullptr;
    for (const TMiejsce& p : miejsca)
        if (p.Rodzaj == rodzaj && p.Obszar.ZawieraScisle(x, y) && (!w || p.Numer > w->Numer))
            w = &p;
    return w;
}
} // namespace

const TMiejsce* TObrazSchematu::Sygnal(int x, int y) const {
    return NajwyzszyScisle(Miejsca, TRodzajMiejsca::Sygnal, x, y);
}

const TMiejsce* TObrazSchematu::Rejestr(int x, int y) const {
    return NajwyzszyScisle(Miejsca, TRodzajMiejsca::Rejestr, x, y);
}

const TMiejsce* TObrazSchematu::Trafienie(int x, int y) const {
    if (const TMiejsce* p = Sygnal(x, y)) return p;
    if (const TMiejsce* p = Rejestr(x, y)) return p;
    for (const TMiejsce& p : Miejsca)
        if ((p.Rodzaj == TRodzajMiejsca::NazwaFlagi || p.Rodzaj == TRodzajMiejsca::Magistrala) &&
            p.Obszar.Zawiera(x, y))
            return &p;
    return nullptr;
}

void RysujSchemat(const TMaszyna& m, const TArchitektura& a, std::int64_t pozycjaPamieci,
                  const TMiaraTekstu& miara, TObrazSchematu& obraz) {
    TRysownik(m, a, pozycjaPamieci, miara, obraz).Rysuj();
}
