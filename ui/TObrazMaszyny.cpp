#include "TObrazMaszyny.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QFontMetrics>
#include <QHelpEvent>
#include <QIcon>
#include <QInputDialog>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QScrollBar>
#include <QToolButton>
#include <QToolTip>
#include <QWheelEvent>

#include <cmath>
#include <cstdlib>
#include <initializer_list>
#include <string_view>

#include "Liczby.h"
#include "Opisy.h"
#include "TSymulator.h"
#include "Wyglad.h"

namespace {

constexpr QRgb KolorTla = qRgb(240, 240, 240); // the button face
constexpr QRgb KolorCzarny = qRgb(0, 0, 0);
constexpr QRgb KolorAktywny = qRgb(255, 0, 0);
constexpr QRgb KolorWybrany = qRgb(0, 0, 255);

enum class TStrona : std::uint8_t { Lewa, Prawa };
enum class TKoniec : std::uint8_t { Belka, Strzalka };
enum class TGrot : std::uint8_t { Gora, Dol };
enum class TKroj : std::uint8_t { Zwykly, Gruby, GrubyKursywa };

using S = TSygnal;

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

// U, V and X, Y, Z: one register on a bus with its in, out and the increment pair.
struct TRejestrOgolny {
    int element;
    TSkrzynka skrzynka;
    TPionowy we, wy;
    TPara para;
};
constexpr TRejestrOgolny RejestryOgolne[] = {
    {11,
     {Slot::U, 480, 45, 555, 70},
     {S::weu, 505, 70, 100, TGrot::Gora, TStrona::Lewa, 90, TKoniec::Strzalka},
     {S::wyu, 530, 70, 100, TGrot::Dol, TStrona::Prawa, 90, TKoniec::Belka},
     {S::iu, S::du, 555, 50, 65, 58}},
    {12,
     {Slot::V, 600, 45, 675, 70},
     {S::wev, 625, 70, 100, TGrot::Gora, TStrona::Lewa, 90, TKoniec::Strzalka},
     {S::wyv, 650, 70, 100, TGrot::Dol, TStrona::Prawa, 90, TKoniec::Belka},
     {S::iv, S::dv, 675, 50, 65, 58}},
};
constexpr TRejestrOgolny RejestryXYZ[] = {
    {1,
     {Slot::X, 110, 434, 185, 459},
     {S::wex, 135, 404, 434, TGrot::Dol, TStrona::Lewa, 424, TKoniec::Strzalka},
     {S::wyx, 160, 404, 434, TGrot::Gora, TStrona::Prawa, 424, TKoniec::Belka},
     {S::ix, S::dx, 185, 439, 454, 447}},
    {2,
     {Slot::Y, 230, 434, 305, 459},
     {S::wey, 255, 404, 434, TGrot::Dol, TStrona::Lewa, 424, TKoniec::Strzalka},
     {S::wyy, 280, 404, 434, TGrot::Gora, TStrona::Prawa, 424, TKoniec::Belka},
     {S::iy, S::dy, 305, 439, 454, 447}},
    {3,
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

// The device side: RB_we, RB_wy and G, each with its one signal.
struct TRejestrUrzadzenia {
    int element;
    TSkrzynka skrzynka;
    TPionowy sygnal;
};
constexpr TRejestrUrzadzenia RejestryUrzadzen[] = {
    {4,
     {Slot::RB_we, 470, 434, 545, 459},
     {S::werb, 507, 404, 434, TGrot::Dol, TStrona::Lewa, 424, TKoniec::Strzalka}},
    {5,
     {Slot::RB_wy, 560, 434, 635, 459},
     {S::wyrb, 597, 404, 434, TGrot::Gora, TStrona::Prawa, 424, TKoniec::Belka}},
    {6,
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

// Element flags of TArchitektura.Elementy.
constexpr int ElementL = 0, ElementPrzerwania = 7, ElementPaO = 8, ElementI = 9, ElementJal = 10,
              ElementPolaczenie = 13;

// Room kept free on each side of a value in its box, and the smallest type a value is
// set in before it is shortened.
constexpr int MarginesWartosci = 3, NajmniejszaCzcionka = 9;

constexpr int N(TSygnal s) {
    return static_cast<int>(s);
}

// Paints one picture of the machine in image pixels, with the drawing rules of a plain
// canvas: rectangles include their top-left and exclude their bottom-right edge, and
// a line excludes its end point.
class TRysownik {
  public:
    TRysownik(QPainter& p, const TMaszyna& m, TArchitektura& a, int pozycjaPaO,
              TPelneWartosci& pelne)
        : p(p), m(m), a(a), pozycjaPaO(pozycjaPaO), pelne(pelne) {
        for (int i = 0; i < 3; ++i) {
            QFont f = CzcionkaSchematu(12); // 9 points on a 96 dpi canvas
            f.setBold(i != 0);
            f.setItalic(i == 2);
            czcionki[static_cast<std::size_t>(i)] = f;
        }
    }

    void Rysuj() {
        p.fillRect(QRect(0, 0, 800, 500), QColor(KolorTla));
        for (auto& r : a.Rejestry)
            r.Obszar = {-1, -1, -1, -1};
        pelne.fill(QString());
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

    void Piksel(int x, int y, QRgb k) { p.fillRect(QRect(x, y, 1, 1), QColor(k)); }

    void Linia(int x1, int y1, int x2, int y2, QRgb k) {
        const int dx = x2 - x1, dy = y2 - y1;
        if (dx == 0 && dy == 0) return;
        if (dy == 0) {
            p.fillRect(QRect(dx > 0 ? x1 : x2 + 1, y1, std::abs(dx), 1), QColor(k));
            return;
        }
        if (dx == 0) {
            p.fillRect(QRect(x1, dy > 0 ? y1 : y2 + 1, 1, std::abs(dy)), QColor(k));
            return;
        }
        const int n = std::max(std::abs(dx), std::abs(dy));
        for (int i = 0; i < n; ++i)
            Piksel(x1 + static_cast<int>(std::lround(double(dx) * i / n)),
                   y1 + static_cast<int>(std::lround(double(dy) * i / n)), k);
    }

    void Prostokat(int l, int t, int r, int b, QRgb wypelnienie = KolorTla) {
        p.fillRect(QRect(l, t, r - l, b - t), QColor(wypelnienie));
        const QColor obrys(KolorCzarny);
        p.fillRect(QRect(l, t, r - l, 1), obrys);
        p.fillRect(QRect(l, b - 1, r - l, 1), obrys);
        p.fillRect(QRect(l, t, 1, b - t), obrys);
        p.fillRect(QRect(r - 1, t, 1, b - t), obrys);
    }

    void Maska(const TMaska& maska, int x0, int y0, QRgb k) {
        for (int y = 0; y < 7; ++y)
            for (int x = 0; x < 7; ++x) {
                const char c = maska[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)];
                if (c != '.') Piksel(x0 + x, y0 + y, c == '#' ? k : KolorTla);
            }
    }

    const QFont& Czcionka(TKroj k) const { return czcionki[static_cast<std::size_t>(k)]; }
    int SzerokoscTekstu(const QString& t, TKroj k) const {
        return QFontMetrics(Czcionka(k)).horizontalAdvance(t);
    }
    int WysokoscTekstu(TKroj k) const { return QFontMetrics(Czcionka(k)).height(); }

    // Text with its top-left corner at x, y.
    void Tekst(int x, int y, const QString& t, QRgb k, TKroj kroj) {
        Tekst(x, y, t, k, Czcionka(kroj));
    }
    void Tekst(int x, int y, const QString& t, QRgb k, const QFont& czcionka) {
        p.setFont(czcionka);
        p.setPen(QColor(k));
        p.drawText(QPoint(x, y + QFontMetrics(czcionka).ascent()), t);
    }

    // ---- signals ----

    bool Jest(TSygnal s) const { return a.Jest(N(s)); }
    bool Aktywny(TSygnal s) const {
        return m.AktywnySygnal(NazwySygnalow[static_cast<std::size_t>(N(s))]);
    }
    QRgb KolorSygnalu(TSygnal s) const { return Aktywny(s) ? KolorAktywny : KolorCzarny; }

    struct TEtykieta {
        QString tekst;
        QRgb kolor;
        TKroj kroj;
        int w, h;
    };
    TEtykieta Etykieta(TSygnal s) const {
        TEtykieta e;
        e.tekst = QString::fromLatin1(NazwySygnalow[static_cast<std::size_t>(N(s))]);
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
    void UstawObszarSygnalu(TSygnal s, int l, int t, int r, int b) {
        a.Sygnaly[static_cast<std::size_t>(N(s))].Obszar = {l, t, r, b};
    }

    void Poziomy(const TPoziomy& s) { Poziomy(s.sygnal, s.x, s.y, s.strona, s.koniec); }
    void Poziomy(TSygnal s, int x, int y, TStrona strona, TKoniec koniec) {
        if (!Jest(s)) return;
        const QRgb k = KolorSygnalu(s);
        const TEtykieta e = Etykieta(s);
        if (strona == TStrona::Prawa) {
            Tekst(x + 6, y - 14, e.tekst, e.kolor, e.kroj);
            Linia(x, y, x + e.w + 8, y, k);
            UstawObszarSygnalu(s, x + 2, y - 18, x + e.w + 10, y + e.h - 10);
            if (koniec == TKoniec::Belka)
                Linia(x + 4, y - 4, x + 4, y + 5, k);
            else
                Maska(MaskaPrawa, x, y - 3, k);
        } else {
            Tekst(x - 6 - e.w, y - 14, e.tekst, e.kolor, e.kroj);
            Linia(x, y, x - e.w - 10, y, k);
            UstawObszarSygnalu(s, x - 6 - e.w, y - 14, x - 6, y - 14 + e.h);
            if (koniec == TKoniec::Belka)
                Linia(x - 4, y - 4, x - 4, y + 5, k);
            else
                Maska(MaskaLewa, x - 6, y - 3, k);
        }
    }

    void Pionowy(const TPionowy& s) {
        if (!Jest(s.sygnal)) return;
        const bool aktywny = Aktywny(s.sygnal);
        const QRgb k = aktywny ? KolorAktywny : KolorCzarny;
        const int x = s.x;
        Linia(x, s.gora, x, s.dol, k);
        if (aktywny) {
            Linia(x - 1, s.gora, x - 1, s.dol, k);
            Linia(x + 1, s.gora, x + 1, s.dol, k);
        }
        const int yt = s.grot == TGrot::Gora ? s.gora : s.dol;
        const int wglab = s.grot == TGrot::Gora ? 5 : -5;
        for (int d = 0; d <= (aktywny ? 2 : 0); ++d) {
            Linia(x - d, yt, x - d - 5, yt + wglab, k);
            Linia(x + d, yt, x + d + 5, yt + wglab, k);
        }
        const TEtykieta e = Etykieta(s.sygnal);
        const int y = s.yEtykiety;
        if (s.strona == TStrona::Lewa) {
            Tekst(x - e.w - 10, y - 14, e.tekst, e.kolor, e.kroj);
            Linia(x, y, x - e.w - 12, y, k);
            UstawObszarSygnalu(s.sygnal, x - e.w - 10, y - 14, x - 10, y - 14 + e.h);
            if (s.koniec == TKoniec::Belka)
                Linia(x - 8, y - 4, x - 8, y + 5, k);
            else
                Maska(MaskaLewa, x - 4 - 6, y - 3, k);
        } else {
            Tekst(x + 10, y - 14, e.tekst, e.kolor, e.kroj);
            Linia(x, y, x + e.w + 12, y, k);
            UstawObszarSygnalu(s.sygnal, x + 10, y - 14, x + e.w + 10, y - 14 + e.h);
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

    std::int32_t Wartosc(int slot) const { return static_cast<std::int32_t>(m.Wartosc(slot)); }

    QString TekstWartosci(int slot) const {
        const std::uint32_t ak = m.Wartosc(Slot::AK);
        switch (slot) {
        case Slot::G:
            return QString::fromStdString(m.WartoscTekst(Slot::G));
        case Slot::Znak:
            return QString::number((ak >> (m.BitySlowa() - 1)) & 1u);
        case Slot::INT:
            return QString::number(m.Wartosc(Slot::RP) != 0 ? 1 : 0);
        case Slot::PAK:
            return QString::number((ak & 1u) == 0 ? 1 : 0);
        case Slot::ZAK:
            return QString::number(ak == 0 ? 1 : 0);
        default:
            break;
        }
        const int szerokosc =
            slot == Slot::MagA || slot == Slot::MagS ? m.BitySlowa() : m.Szerokosc(slot);
        return QString::fromStdString(FormatujLiczbe(
            Wartosc(slot), a.Rejestry[static_cast<std::size_t>(slot)].Podstawa, szerokosc));
    }

    // A box with its value centred (on x `srodekX` when given) and its hit rectangle.
    // A value too wide for the box is set smaller, down to a size still easy to read, and
    // beyond that shortened in the middle; the box keeps its size and the full value
    // goes to the tooltip.
    void Rejestr(const TSkrzynka& s, const QString& tekst, bool wyrozniony, int srodekX = -1) {
        Prostokat(s.l, s.t, s.r, s.b);
        a.Rejestry[static_cast<std::size_t>(s.slot)].Obszar = {s.l, s.t, s.r, s.b};
        const TKroj kroj = wyrozniony ? TKroj::Gruby : TKroj::Zwykly;
        const int cx = srodekX >= 0 ? srodekX : (s.l + s.r) / 2;
        const int cy = (s.t + s.b) / 2;
        const int miejsce = 2 * std::min(cx - s.l, s.r - cx) - 2 * MarginesWartosci;
        QFont czcionka = Czcionka(kroj);
        QString t = tekst;
        while (QFontMetrics(czcionka).horizontalAdvance(t) > miejsce &&
               czcionka.pixelSize() > NajmniejszaCzcionka)
            czcionka.setPixelSize(czcionka.pixelSize() - 1);
        const QFontMetrics miara(czcionka);
        if (miara.horizontalAdvance(t) > miejsce) {
            t = miara.elidedText(tekst, Qt::ElideMiddle, miejsce);
            pelne[static_cast<std::size_t>(s.slot)] = tekst;
        }
        Tekst(cx - miara.horizontalAdvance(t) / 2, cy - miara.height() / 2, t,
              wyrozniony ? KolorAktywny : KolorCzarny, czcionka);
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
        if (!a.Element(ElementL)) return;
        Rejestr(SkrzynkaL, KtorykolwiekAktywny({S::wel, S::il, S::dl}));
        for (const auto& s : SygnalyL)
            Pionowy(s);
        Para(ParaL);
    }

    void RysujI() {
        if (!a.Element(ElementI)) return;
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
        if (!a.Element(ElementPolaczenie)) return;
        Prostokat(450, 100, 455, 401,
                  KtorykolwiekAktywny({S::assa, S::as, S::sa}) ? KolorAktywny : KolorTla);
        for (const auto& s : SygnalyPolaczenia) {
            if (!Jest(s.sygnal)) continue;
            Poziomy(s);
            Maska(MaskaKropki, 452 - 3, s.y - 3, KolorSygnalu(s.sygnal));
        }
    }

    void RysujJal() {
        if (!a.Element(ElementJal)) return;
        const bool weak = Aktywny(S::weak);
        Prostokat(260, 155, 385, 345);
        Rejestr(SkrzynkaAK, TekstWartosci(Slot::AK), weak, 323);
        Rejestr(SkrzynkaZnaku, weak);
        for (const auto& f : Flagi) {
            Rejestr(f.skrzynka, false);
            const QString nazwa = QString::fromLatin1(f.nazwa);
            Tekst(298, (f.skrzynka.t + f.skrzynka.b) / 2 - WysokoscTekstu(TKroj::Zwykly) / 2, nazwa,
                  KolorCzarny, TKroj::Zwykly);
        }
        for (const auto& s : SygnalyJal)
            Pionowy(s);
        if (Jest(S::wyak)) {
            // From AK's top to the wyak line; three pixels wide while active.
            const bool aktywny = Aktywny(S::wyak);
            const QRgb k = aktywny ? KolorAktywny : KolorCzarny;
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
        if (!a.Element(ElementPrzerwania)) return;
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

    void RysujPaO() {
        if (!a.Element(ElementPaO)) return;
        Prostokat(510, 130, 660, 370);
        Rejestr(SkrzynkaA, Aktywny(S::wea));
        Rejestr(SkrzynkaS, Aktywny(S::wes));
        const int h = WysokoscTekstu(TKroj::Zwykly);
        for (int r = 0; r < 9; ++r) {
            const int t = 160 + 20 * r, b = 181 + 20 * r, srodek = 170 + 20 * r;
            const std::int64_t adres = static_cast<std::int64_t>(pozycjaPaO) + r;
            Prostokat(515, t, 561, b);
            Prostokat(560, t, 638, b);
            const QString ta = QString::number(adres);
            Tekst(559 - SzerokoscTekstu(ta, TKroj::Zwykly), srodek - h / 2, ta, KolorCzarny,
                  TKroj::Zwykly);
            const QString tw = QString::number(static_cast<std::int32_t>(m.CzytajPaO(adres)));
            Tekst(636 - SzerokoscTekstu(tw, TKroj::Zwykly), srodek - h / 2, tw, KolorCzarny,
                  TKroj::Zwykly);
        }
        for (const auto& s : SygnalyPaO)
            Pionowy(s);
        for (const auto& s : SygnalyPaOPoziome)
            Poziomy(s);
    }

    void Magistrala(const TMagistrala& g) {
        Rejestr(g.skrzynka, false);
        Prostokat(g.l, g.t, g.r, g.b, m.Zajeta(g.skrzynka.slot) ? KolorAktywny : KolorTla);
    }

    QPainter& p;
    const TMaszyna& m;
    TArchitektura& a;
    int pozycjaPaO;
    TPelneWartosci& pelne;
    std::array<QFont, 3> czcionki;
};

constexpr qreal KrokiSkali[] = {0.5, 0.75, 1.0, 1.25, 1.5, 2.0, 2.5, 3.0, 4.0};

// A glyph with the request number, so the caption-less buttons can be told apart.
QIcon IkonaPrzerwania(int numer) {
    QPixmap obraz(32, 32);
    obraz.fill(Qt::transparent);
    QPainter p(&obraz);
    QFont f = CzcionkaSchematu(20);
    f.setBold(true);
    p.setFont(f);
    p.setPen(Qt::black);
    p.drawText(obraz.rect(), Qt::AlignCenter, QString::number(numer));
    return QIcon(obraz);
}

} // namespace

std::optional<std::int32_t> LiczbaZTekstu(const QString& tekst) {
    const std::string s = tekst.trimmed().toStdString();
    std::size_t i = 0;
    bool minus = false;
    if (i < s.size() && (s[i] == '-' || s[i] == '+')) minus = s[i++] == '-';
    const bool hex = i < s.size() && s[i] == '$';
    if (hex) ++i;
    if (i == s.size()) return std::nullopt;
    const std::uint64_t granica = hex ? 0xFFFFFFFFu : (minus ? 2147483648u : 2147483647u);
    std::uint64_t v = 0;
    for (; i < s.size(); ++i) {
        const char c = s[i];
        int cyfra;
        if (c >= '0' && c <= '9')
            cyfra = c - '0';
        else if (hex && c >= 'a' && c <= 'f')
            cyfra = c - 'a' + 10;
        else if (hex && c >= 'A' && c <= 'F')
            cyfra = c - 'A' + 10;
        else
            return std::nullopt;
        v = v * (hex ? 16 : 10) + static_cast<std::uint64_t>(cyfra);
        if (v > granica) return std::nullopt;
    }
    // Hexadecimal words wrap to the signed 32-bit value they spell.
    const auto slowo = static_cast<std::uint32_t>(v);
    return static_cast<std::int32_t>(minus ? 0u - slowo : slowo);
}

TObrazMaszyny::TObrazMaszyny(TSymulator& symulator, QWidget* parent)
    : QWidget(parent), symulator(symulator) {
    setObjectName(QStringLiteral("Image1"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    WykonajModalnie = OtworzModalnie;
    BudujMenu();
    ScrollBarPaO = new QScrollBar(Qt::Vertical, this);
    ScrollBarPaO->setObjectName(QStringLiteral("ScrollBarPaO"));
    ScrollBarPaO->setPageStep(8);
    ScrollBarPaO->setFocusPolicy(Qt::NoFocus);
    connect(ScrollBarPaO, &QScrollBar::valueChanged, this, &TObrazMaszyny::RysujMaszyne);
    BudujPrzyciskiIRQ();
    setFixedSize(Szerokosc, Wysokosc);
    OdswiezMaszyne();
}

void TObrazMaszyny::BudujMenu() {
    auto pozycja = [this](QMenu* menu, const char* nazwa, const QString& napis,
                          TPolecenieRejestru polecenie, bool zaznaczana = false) {
        auto* a = menu->addAction(napis);
        a->setObjectName(QString::fromLatin1(nazwa));
        a->setCheckable(zaznaczana);
        connect(a, &QAction::triggered, this, [this, polecenie, menu] {
            // The base items live in a submenu; the tag is on the menu that opened.
            const QMenu* glowne = menu->parent() == PopupMenu1 ? PopupMenu1 : menu;
            WykonajPolecenie(polecenie, Tag(glowne));
        });
        return a;
    };
    using P = TPolecenieRejestru;
    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    Menu1_Zwieksz = pozycja(PopupMenu1, "Menu1_Zwieksz", QStringLiteral("Zwiększ o 1"), P::Zwieksz);
    Menu1_Zmniejsz =
        pozycja(PopupMenu1, "Menu1_Zmniejsz", QStringLiteral("Zmniejsz o 1"), P::Zmniejsz);
    Menu1_WpiszWartosc =
        pozycja(PopupMenu1, "Menu1_WpiszWartosc", QStringLiteral("Wpisz wartość"), P::WpiszWartosc);
    Menu1_Wyzeruj = pozycja(PopupMenu1, "Menu1_Wyzeruj", QStringLiteral("Wyzeruj"), P::Wyzeruj);
    PopupMenu1->addSeparator();
    QMenu* tryb = PopupMenu1->addMenu(QStringLiteral("Tryb"));
    tryb->setObjectName(QStringLiteral("Menu1_Tryb"));
    Menu1_Dwojkowy = pozycja(tryb, "Menu1_Dwojkowy", QStringLiteral("Dwójkowy"), P::Dwojkowy, true);
    Menu1_Dziesietny =
        pozycja(tryb, "Menu1_Dziesietny", QStringLiteral("Dziesiętny"), P::Dziesietny, true);
    Menu1_Szesnastkowy =
        pozycja(tryb, "Menu1_Szesnastkowy", QStringLiteral("Szesnastkowy"), P::Szesnastkowy, true);

    PopupMenu2 = new QMenu(this);
    PopupMenu2->setObjectName(QStringLiteral("PopupMenu2"));
    Menu2_Ustaw0 = pozycja(PopupMenu2, "Menu2_Ustaw0", QStringLiteral("Ustaw na \"0\""), P::Ustaw0);
    Menu2_Ustaw1 = pozycja(PopupMenu2, "Menu2_Ustaw1", QStringLiteral("Ustaw na \"1\""), P::Ustaw1);

    PopupMenu3 = new QMenu(this);
    PopupMenu3->setObjectName(QStringLiteral("PopupMenu3"));
    Menu3_Dwojkowy =
        pozycja(PopupMenu3, "Menu3_Dwojkowy", QStringLiteral("Tryb dwójkowy"), P::Dwojkowy, true);
    Menu3_Dziesietny = pozycja(PopupMenu3, "Menu3_Dziesietny", QStringLiteral("Tryb dziesiętny"),
                               P::Dziesietny, true);
    Menu3_Szesnastkowy = pozycja(PopupMenu3, "Menu3_Szesnastkowy",
                                 QStringLiteral("Tryb szesnastkowy"), P::Szesnastkowy, true);
    for (QMenu* m : {PopupMenu1, PopupMenu2, PopupMenu3})
        m->setProperty("Tag", 0);
}

void TObrazMaszyny::BudujPrzyciskiIRQ() {
    Panel_IRQ = new QWidget(this);
    Panel_IRQ->setObjectName(QStringLiteral("Panel_IRQ"));
    for (int n = 1; n <= 8; ++n) {
        auto* b = new QToolButton(Panel_IRQ);
        b->setObjectName(QStringLiteral("SpeedButton%1").arg(n));
        b->setFocusPolicy(Qt::NoFocus);
        b->setIcon(IkonaPrzerwania(9 - n));
        SpeedButtonIRQ[static_cast<std::size_t>(n)] = b;
        connect(b, &QToolButton::clicked, this, [this, n] { symulator.ZglosPrzerwanie(9 - n); });
    }
}

int TObrazMaszyny::Tag(const QMenu* menu) {
    return menu ? menu->property("Tag").toInt() : 0;
}

void TObrazMaszyny::UstawSkale(qreal s) {
    s = std::clamp(s, KrokiSkali[0], KrokiSkali[std::size(KrokiSkali) - 1]);
    skala = s;
    setFixedSize(static_cast<int>(std::ceil(Szerokosc * s)),
                 static_cast<int>(std::ceil(Wysokosc * s)));
    RysujMaszyne();
}

void TObrazMaszyny::UmiescDzieci() {
    auto px = [this](int v) { return static_cast<int>(std::lround(v * skala)); };
    const TArchitektura& a = symulator.Architektura;
    ScrollBarPaO->setGeometry(px(639), px(161), px(16), px(180));
    ScrollBarPaO->setVisible(a.Element(ElementPaO));
    // The buttons end 8 pixels before the RZ box.
    const int szerokosc = 24 * 7 + 25;
    Panel_IRQ->setGeometry(px(250 - szerokosc - 8), 0, px(szerokosc), px(25));
    for (int n = 1; n <= 8; ++n) {
        QToolButton* b = SpeedButtonIRQ[static_cast<std::size_t>(n)];
        b->setGeometry(px(24 * (n - 1)), 0, px(25), px(25));
        b->setIconSize(QSize(px(16), px(16)));
    }
    Panel_IRQ->setVisible(a.Element(ElementPrzerwania));
}

void TObrazMaszyny::Renderuj() {
    const qreal dpr = devicePixelRatioF();
    const QSize rozmiar(static_cast<int>(std::ceil(Szerokosc * skala * dpr)),
                        static_cast<int>(std::ceil(Wysokosc * skala * dpr)));
    if (obraz.size() != rozmiar) obraz = QImage(rozmiar, QImage::Format_RGB32);
    obraz.setDevicePixelRatio(dpr);
    QPainter p(&obraz);
    p.scale(skala, skala);
    p.setClipRect(QRect(0, 0, Szerokosc, Wysokosc));
    TRysownik(p, symulator.Maszyna, symulator.Architektura, ScrollBarPaO->value(), pelneWartosci)
        .Rysuj();
}

void TObrazMaszyny::RysujMaszyne() {
    emit TekstStatusu(QLatin1Char(' ') + QString::fromStdString(symulator.Maszyna.BiezacyTekst()));
    UmiescDzieci();
    Renderuj();
    update();
}

void TObrazMaszyny::OdswiezMaszyne() {
    RysujMaszyne();
    const int maks = static_cast<int>(symulator.Maszyna.MaskaAdresu()) - 8;
    ScrollBarPaO->setRange(0, maks);
}

void TObrazMaszyny::paintEvent(QPaintEvent*) {
    // Moved to a screen with another pixel ratio: paint anew rather than stretch.
    if (obraz.devicePixelRatio() != devicePixelRatioF()) Renderuj();
    QPainter p(this);
    p.drawImage(QPoint(0, 0), obraz);
}

QPoint TObrazMaszyny::PunktObrazu(QPointF punkt) const {
    return {static_cast<int>(std::floor(punkt.x() / skala)),
            static_cast<int>(std::floor(punkt.y() / skala))};
}

namespace {
bool WewnatrzScisle(const TObszar& o, QPoint p) {
    return o.Lewo < p.x() && p.x() < o.Prawo && o.Gora < p.y() && p.y() < o.Dol;
}
} // namespace

int TObrazMaszyny::RejestrW(QPoint punkt) const {
    const TArchitektura& a = symulator.Architektura;
    for (int k = LiczbaSlotow; k >= 1; --k)
        if (WewnatrzScisle(a.Rejestry[static_cast<std::size_t>(k)].Obszar, punkt)) return k;
    return 0;
}

int TObrazMaszyny::SygnalW(QPoint punkt) const {
    const TArchitektura& a = symulator.Architektura;
    // A label no longer drawn keeps its old rectangle; an absent signal cannot be chosen.
    for (int i = LiczbaSygnalow; i >= 1; --i)
        if (a.Jest(i) && WewnatrzScisle(a.Sygnaly[static_cast<std::size_t>(i)].Obszar, punkt))
            return i;
    return 0;
}

QString TObrazMaszyny::OpisW(QPoint punkt) const {
    if (const int i = SygnalW(punkt))
        return OpisSygnalu(NazwySygnalow[static_cast<std::size_t>(i)], jezyk);
    int k = RejestrW(punkt);
    const TArchitektura& a = symulator.Architektura;
    // The names beside the flag boxes and the bars of the two buses.
    if (k == 0 && a.Element(ElementJal))
        for (const auto& f : Flagi)
            if (QRect(QPoint(f.skrzynka.r, f.skrzynka.t), QPoint(330, f.skrzynka.b - 1))
                    .contains(punkt))
                k = f.skrzynka.slot;
    for (const TMagistrala& g : {MagistralaA, MagistralaS})
        if (k == 0 && QRect(QPoint(g.l, g.t), QPoint(g.r - 1, g.b - 1)).contains(punkt))
            k = g.skrzynka.slot;
    if (k == 0) return {};
    QString opis = OpisRejestru(k, jezyk);
    const QString& pelna = pelneWartosci[static_cast<std::size_t>(k)];
    if (!pelna.isEmpty()) opis += QLatin1Char('\n') + pelna;
    return opis;
}

bool TObrazMaszyny::event(QEvent* zdarzenie) {
    if (zdarzenie->type() == QEvent::ToolTip) {
        auto* pomoc = static_cast<QHelpEvent*>(zdarzenie);
        const QString opis = OpisW(PunktObrazu(pomoc->pos()));
        if (opis.isEmpty()) {
            QToolTip::hideText();
            zdarzenie->ignore();
        } else {
            QToolTip::showText(pomoc->globalPos(), opis, this);
        }
        return true;
    }
    return QWidget::event(zdarzenie);
}

QMenu* TObrazMaszyny::OtworzMenu(QPoint punkt) {
    const int k = RejestrW(punkt);
    if (k == 0) return nullptr;
    const TRejestrArchitektury& r = symulator.Architektura.Rejestry[static_cast<std::size_t>(k)];
    QMenu* menu = r.RodzajMenu == 1   ? PopupMenu1
                  : r.RodzajMenu == 2 ? PopupMenu2
                  : r.RodzajMenu == 3 ? PopupMenu3
                                      : nullptr;
    if (!menu) return nullptr;
    menu->setProperty("Tag", k);
    if (menu != PopupMenu2) {
        const bool jeden = menu == PopupMenu1;
        (jeden ? Menu1_Dwojkowy : Menu3_Dwojkowy)->setChecked(r.Podstawa == 2);
        (jeden ? Menu1_Dziesietny : Menu3_Dziesietny)->setChecked(r.Podstawa == 10);
        (jeden ? Menu1_Szesnastkowy : Menu3_Szesnastkowy)->setChecked(r.Podstawa == 16);
    }
    const QPoint naroznik(static_cast<int>(std::lround((r.Obszar.Lewo + 1) * skala)),
                          static_cast<int>(std::lround((r.Obszar.Dol + 1) * skala)));
    menu->popup(mapToGlobal(naroznik));
    return menu;
}

bool TObrazMaszyny::KliknijSygnal(QPoint punkt) {
    const int i = SygnalW(punkt);
    if (i == 0) return false;
    symulator.PrzelaczSygnal(i);
    return true;
}

void TObrazMaszyny::WykonajPolecenie(TPolecenieRejestru polecenie, int k) {
    if (k < 1 || k > LiczbaSlotow) return;
    // The owner tells the schematic's panel, which redraws.
    TSymulator& s = symulator;
    switch (polecenie) {
    case TPolecenieRejestru::Zwieksz:
        s.ZwiekszRejestr(k);
        break;
    case TPolecenieRejestru::Zmniejsz:
        s.ZmniejszRejestr(k);
        break;
    case TPolecenieRejestru::WpiszWartosc: {
        auto* okno = new QInputDialog(this);
        okno->setWindowTitle(QStringLiteral("Podaj nową wartość"));
        okno->setLabelText(QString());
        okno->setTextValue(QStringLiteral("0"));
        // Cancelled: the register stays as it was.
        ZapytajRaz(WykonajModalnie, okno, [this, okno, k](int wynik) {
            if (wynik == QDialog::Accepted)
                symulator.UstawRejestr(
                    k, static_cast<std::uint32_t>(LiczbaZTekstu(okno->textValue()).value_or(0)));
        });
        break;
    }
    case TPolecenieRejestru::Wyzeruj:
        s.UstawRejestr(k, 0);
        break;
    case TPolecenieRejestru::Dwojkowy:
        s.UstawPodstawe(k, 2);
        break;
    case TPolecenieRejestru::Dziesietny:
        s.UstawPodstawe(k, 10);
        break;
    case TPolecenieRejestru::Szesnastkowy:
        s.UstawPodstawe(k, 16);
        break;
    case TPolecenieRejestru::Ustaw0:
        s.UstawRejestr(k, 0);
        break;
    case TPolecenieRejestru::Ustaw1:
        s.UstawRejestr(k, 1);
        break;
    }
}

void TObrazMaszyny::contextMenuEvent(QContextMenuEvent* zdarzenie) {
    OtworzMenu(PunktObrazu(zdarzenie->pos()));
    zdarzenie->accept();
}

void TObrazMaszyny::mouseReleaseEvent(QMouseEvent* zdarzenie) {
    if (zdarzenie->button() == Qt::LeftButton &&
        symulator.StanPracy.TrybPracy == TTrybPracy::Reczny)
        KliknijSygnal(PunktObrazu(zdarzenie->position()));
    QWidget::mouseReleaseEvent(zdarzenie);
}

void TObrazMaszyny::wheelEvent(QWheelEvent* zdarzenie) {
    if (!(zdarzenie->modifiers() & Qt::ControlModifier) || zdarzenie->angleDelta().y() == 0) {
        zdarzenie->ignore(); // the scroll box scrolls
        return;
    }
    qreal nowa = skala;
    if (zdarzenie->angleDelta().y() > 0) {
        for (qreal k : KrokiSkali)
            if (k > skala + 1e-9) {
                nowa = k;
                break;
            }
    } else {
        for (qreal k : KrokiSkali)
            if (k < skala - 1e-9) nowa = k;
    }
    if (nowa != skala) UstawSkale(nowa);
    zdarzenie->accept();
}
