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
#include <QRegion>
#include <QScrollBar>
#include <QToolButton>
#include <QToolTip>
#include <QWheelEvent>

#include <cmath>
#include <cstdlib>
#include <list>
#include <string_view>
#include <unordered_map>

#include "Opisy.h"
#include "TSymulator.h"
#include "Wyglad.h"

namespace {

// A lone pixel, a line or a filled rectangle all go through fillRect: the cheapest way
// QPainter has to set exact pixels.
void Wypelnij(QPainter& p, int l, int t, int w, int h, TKolor k) {
    p.fillRect(QRect(l, t, w, h), QColor(static_cast<QRgb>(k)));
}

void Linia(QPainter& p, const TPrymityw& x) {
    const int dx = x.X2 - x.X1, dy = x.Y2 - x.Y1;
    const int g = x.Grubosc, przed = (g - 1) / 2;
    if (dy == 0) {
        Wypelnij(p, dx > 0 ? x.X1 : x.X2 + 1, x.Y1 - przed, std::abs(dx), g, x.Kolor);
        return;
    }
    if (dx == 0) {
        Wypelnij(p, x.X1 - przed, dy > 0 ? x.Y1 : x.Y2 + 1, g, std::abs(dy), x.Kolor);
        return;
    }
    const int n = std::max(std::abs(dx), std::abs(dy));
    for (int i = 0; i < n; ++i)
        Wypelnij(p, x.X1 + static_cast<int>(std::lround(double(dx) * i / n)),
                 x.Y1 + static_cast<int>(std::lround(double(dy) * i / n)), 1, 1, x.Kolor);
}

} // namespace

// The schematic's type as Qt sets it, with the fonts and their metrics kept.
class TMiaraQt : public TMiaraTekstu {
  public:
    const QFont& Czcionka(const TCzcionka& c) const { return Wpis(c).czcionka; }
    const QFontMetrics& Metryka(const TCzcionka& c) const { return Wpis(c).metryka; }

    // The labels are the same texts redraw after redraw, and values repeat: widths are
    // remembered, up to a bound past which they are forgotten all at once.
    int Szerokosc(std::string_view tekst, const TCzcionka& c) const override {
        const TWpis& w = Wpis(c);
        if (const auto i = w.szerokosci.find(tekst); i != w.szerokosci.end()) return i->second;
        if (w.szerokosci.size() >= 4096) w.szerokosci.clear();
        const int s = w.metryka.horizontalAdvance(Tekst(tekst));
        w.szerokosci.emplace(tekst, s);
        return s;
    }
    int Wysokosc(const TCzcionka& c) const override { return Metryka(c).height(); }
    std::string SkrocWSrodku(std::string_view tekst, const TCzcionka& c,
                             int szerokosc) const override {
        return Metryka(c).elidedText(Tekst(tekst), Qt::ElideMiddle, szerokosc).toStdString();
    }

    static QString Tekst(std::string_view t) {
        return QString::fromUtf8(t.data(), static_cast<qsizetype>(t.size()));
    }

  private:
    struct THasz {
        using is_transparent = void;
        std::size_t operator()(std::string_view t) const {
            return std::hash<std::string_view>{}(t);
        }
    };
    struct TWpis {
        TCzcionka opis;
        QFont czcionka;
        QFontMetrics metryka;
        mutable std::unordered_map<std::string, int, THasz, std::equal_to<>> szerokosci;
    };
    const TWpis& Wpis(const TCzcionka& c) const {
        for (const TWpis& w : wpisy)
            if (w.opis == c) return w;
        QFont f = CzcionkaSchematu(12); // 9 points on a 96 dpi canvas
        f.setBold(c.Gruba);
        f.setItalic(c.Kursywa);
        if (c.Rozmiar != 12) f.setPixelSize(c.Rozmiar);
        // Few fonts ever: a list keeps the entries where they are.
        return wpisy.emplace_back(TWpis{c, f, QFontMetrics(f), {}});
    }
    mutable std::list<TWpis> wpisy;
};

namespace {

void MalujPrymityw(QPainter& p, const TPrymityw& x, const TMiaraQt& miara) {
    switch (x.Rodzaj) {
    case TRodzajPrymitywu::Prostokat: {
        const int w = x.X2 - x.X1, h = x.Y2 - x.Y1;
        Wypelnij(p, x.X1, x.Y1, w, h, x.Kolor);
        if (x.Obrys) {
            const QColor obrys(static_cast<QRgb>(KolorCzarny));
            p.fillRect(QRect(x.X1, x.Y1, w, 1), obrys);
            p.fillRect(QRect(x.X1, x.Y2 - 1, w, 1), obrys);
            p.fillRect(QRect(x.X1, x.Y1, 1, h), obrys);
            p.fillRect(QRect(x.X2 - 1, x.Y1, 1, h), obrys);
        }
        break;
    }
    case TRodzajPrymitywu::Linia:
        Linia(p, x);
        break;
    case TRodzajPrymitywu::Tekst:
        p.setFont(miara.Czcionka(x.Czcionka));
        p.setPen(QColor(static_cast<QRgb>(x.Kolor)));
        p.drawText(QPoint(x.X1, x.Y1 + miara.Metryka(x.Czcionka).ascent()),
                   TMiaraQt::Tekst(x.Tekst));
        break;
    case TRodzajPrymitywu::Piksel:
        Wypelnij(p, x.X1, x.Y1, 1, 1, x.Kolor);
        break;
    }
}

// How far ahead the painted and the new primitives are searched for a place where they agree.
constexpr std::size_t OknoZgodnosci = 8;

bool TenSamKsztalt(const TPrymityw& a, const TPrymityw& b) {
    return a.Rodzaj == b.Rodzaj && a.X1 == b.X1 && a.Y1 == b.Y1 && a.X2 == b.X2 && a.Y2 == b.Y2;
}

// The picture in squares, each marked when a pixel in it may have changed: a changed
// signal is many small primitives close together, and a few squares hold them all.
class TKafle {
  public:
    static constexpr int Bok = 32;
    void Oznacz(const QRect& r) {
        Dla(r, [](bool& k) {
            k = true;
            return false;
        });
    }
    bool Dotyka(const QRect& r) {
        return Dla(r, [](bool& k) { return k; });
    }
    // The marked squares, a row's neighbours joined.
    QRegion Obszar() const {
        QRegion o;
        for (int y = 0; y < Wiersze; ++y)
            for (int x = 0; x < Kolumny;) {
                if (!k[Indeks(x, y)]) {
                    ++x;
                    continue;
                }
                const int od = x;
                while (x < Kolumny && k[Indeks(x, y)])
                    ++x;
                o += QRect(od * Bok, y * Bok, (x - od) * Bok, Bok);
            }
        return o;
    }

  private:
    static constexpr int Kolumny = (TObrazMaszyny::Szerokosc + Bok - 1) / Bok;
    static constexpr int Wiersze = (TObrazMaszyny::Wysokosc + Bok - 1) / Bok;
    static std::size_t Indeks(int x, int y) { return static_cast<std::size_t>(y * Kolumny + x); }
    // f on the squares r touches, until it returns true.
    template <class F> bool Dla(QRect r, F f) {
        r &= QRect(0, 0, TObrazMaszyny::Szerokosc, TObrazMaszyny::Wysokosc);
        if (r.isEmpty()) return false;
        for (int y = r.top() / Bok; y <= r.bottom() / Bok; ++y)
            for (int x = r.left() / Bok; x <= r.right() / Bok; ++x)
                if (f(k[Indeks(x, y)])) return true;
        return false;
    }
    std::array<bool, static_cast<std::size_t>(Kolumny* Wiersze)> k{};
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
    : QWidget(parent), symulator(symulator), miara(std::make_unique<TMiaraQt>()) {
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

TObrazMaszyny::~TObrazMaszyny() = default;

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
    auto umiesc = [&](QWidget* w, const TObszar& o) {
        w->setVisible(!o.Pusty());
        if (!o.Pusty())
            w->setGeometry(px(o.Lewo), px(o.Gora), px(o.Prawo - o.Lewo), px(o.Dol - o.Gora));
    };
    umiesc(ScrollBarPaO, schemat.PasekPamieci);
    umiesc(Panel_IRQ, schemat.PrzyciskiPrzerwan);
    for (int n = 1; n <= 8; ++n) {
        QToolButton* b = SpeedButtonIRQ[static_cast<std::size_t>(n)];
        b->setGeometry(px(24 * (n - 1)), 0, px(25), px(25));
        b->setIconSize(QSize(px(16), px(16)));
    }
}

void TObrazMaszyny::Zbuduj() {
    RysujSchemat(symulator.Maszyna, symulator.Architektura, ScrollBarPaO->value(), *miara, schemat);
}

QRect TObrazMaszyny::ObszarPrymitywu(const TPrymityw& x) const {
    switch (x.Rodzaj) {
    case TRodzajPrymitywu::Prostokat:
        return QRect(QPoint(x.X1, x.Y1), QPoint(x.X2, x.Y2)).normalized();
    case TRodzajPrymitywu::Linia: {
        const int g = x.Grubosc;
        return QRect(QPoint(x.X1, x.Y1), QPoint(x.X2, x.Y2)).normalized().adjusted(-g, -g, g, g);
    }
    case TRodzajPrymitywu::Tekst: {
        // Glyphs may overhang their advance and their line (accents), and smoothing
        // reaches a pixel further.
        const QFontMetrics& m = miara->Metryka(x.Czcionka);
        const int zapas = m.height() / 2 + 2;
        return QRect(x.X1, x.Y1, miara->Szerokosc(x.Tekst, x.Czcionka), m.height())
            .adjusted(-zapas, -zapas, zapas, zapas);
    }
    case TRodzajPrymitywu::Piksel:
        break;
    }
    return QRect(x.X1, x.Y1, 1, 1);
}

void TObrazMaszyny::MalujPrymityw(QPainter& p, const TPrymityw& x) const {
    ::MalujPrymityw(p, x, *miara);
}

QRegion TObrazMaszyny::Maluj() {
    const qreal dpr = devicePixelRatioF();
    const QSize rozmiar(static_cast<int>(std::ceil(Szerokosc * skala * dpr)),
                        static_cast<int>(std::ceil(Wysokosc * skala * dpr)));
    const auto& nowe = schemat.Prymitywy;
    const QRect calosc(0, 0, Szerokosc, Wysokosc);
    // Only part of the image is painted anew when it still holds the picture before, at a
    // whole number of pixels per picture pixel: the part's edges then fall between pixels,
    // and every pixel inside comes out as a whole painting would make it.
    const qreal naPiksel = skala * dpr;
    bool czesc = obraz.size() == rozmiar && obraz.devicePixelRatio() == dpr &&
                 !namalowane.empty() && naPiksel == std::round(naPiksel);
    std::vector<QRect> noweObszary(nowe.size());
    TKafle kafle;
    // The primitives both lists have, in the same order; the rest were taken away or
    // added. Only where those set pixels can a pixel differ: everywhere else the same
    // primitives cover it in the same order. Past half the picture changed, the whole is
    // painted.
    std::size_t zmienione = 0;
    auto zmieniony = [&](bool nowy, std::size_t k) {
        if (++zmienione > nowe.size() / 2) czesc = false;
        if (!czesc) return;
        if (nowy)
            kafle.Oznacz(noweObszary[k] = ObszarPrymitywu(nowe[k]));
        else
            kafle.Oznacz(obszary[k]);
    };
    std::size_t i = 0, j = 0; // in namalowane, in nowe
    while (czesc && (i < namalowane.size() || j < nowe.size())) {
        const bool oba = i < namalowane.size() && j < nowe.size();
        if (oba && namalowane[i] == nowe[j]) {
            noweObszary[j++] = obszary[i++];
            continue;
        }
        // The same shape in another colour or with another text: one for the other.
        // Otherwise the nearest pair ahead where the lists meet again: a few primitives
        // more or fewer (a signal drawn active) between.
        std::size_t pomin = 1, dodaj = 1;
        bool znaleziony = oba && TenSamKsztalt(namalowane[i], nowe[j]);
        for (std::size_t d = 1; d <= 2 * OknoZgodnosci && !znaleziony; ++d)
            for (std::size_t a = d > OknoZgodnosci ? d - OknoZgodnosci : 0;
                 a <= std::min(d, OknoZgodnosci) && !znaleziony; ++a) {
                const std::size_t b = d - a;
                if (i + a < namalowane.size() && j + b < nowe.size() &&
                    namalowane[i + a] == nowe[j + b]) {
                    pomin = a, dodaj = b;
                    znaleziony = true;
                }
            }
        if (!znaleziony) // none near: one taken away, one added
            pomin = i < namalowane.size() ? 1 : 0, dodaj = j < nowe.size() ? 1 : 0;
        for (std::size_t k = 0; k < pomin; ++k)
            zmieniony(false, i++);
        for (std::size_t k = 0; k < dodaj; ++k)
            zmieniony(true, j++);
    }
    QRegion zmiana;
    if (czesc) {
        zmiana = kafle.Obszar();
        if (!zmiana.isEmpty()) {
            QPainter p(&obraz);
            p.scale(skala, skala);
            p.setClipRegion(zmiana);
            for (std::size_t k = 0; k < nowe.size(); ++k)
                if (kafle.Dotyka(noweObszary[k])) MalujPrymityw(p, nowe[k]);
        }
    } else {
        if (obraz.size() != rozmiar) obraz = QImage(rozmiar, QImage::Format_RGB32);
        obraz.setDevicePixelRatio(dpr);
        QPainter p(&obraz);
        p.scale(skala, skala);
        p.setClipRect(calosc);
        for (std::size_t k = 0; k < nowe.size(); ++k) {
            noweObszary[k] = ObszarPrymitywu(nowe[k]);
            MalujPrymityw(p, nowe[k]);
        }
        zmiana = calosc;
    }
    namalowane = nowe;
    obszary = std::move(noweObszary);
    // The widget's part: the picture's scaled out to whole pixels.
    QRegion widget;
    for (const QRect& r : zmiana)
        widget += QRectF(r.x() * skala, r.y() * skala, r.width() * skala, r.height() * skala)
                      .toAlignedRect();
    return widget;
}

void TObrazMaszyny::RysujMaszyne() {
    emit TekstStatusu(QLatin1Char(' ') + QString::fromStdString(symulator.Maszyna.BiezacyTekst()));
    Zbuduj();
    UmiescDzieci();
    QRegion obszar = Maluj();
    // The memory's scroll bar covers its part of the picture and repaints itself when it
    // changes; repainting it with every picture costs a run its time.
    if (ScrollBarPaO->isVisible()) obszar -= ScrollBarPaO->geometry();
    update(obszar);
}

void TObrazMaszyny::OdswiezMaszyne() {
    RysujMaszyne();
    ScrollBarPaO->setRange(0, static_cast<int>(schemat.OstatniaPozycjaPamieci));
}

void TObrazMaszyny::paintEvent(QPaintEvent*) {
    // Moved to a screen with another pixel ratio: paint anew rather than stretch.
    if (obraz.devicePixelRatio() != devicePixelRatioF()) Maluj();
    QPainter p(this);
    p.drawImage(QPoint(0, 0), obraz);
}

QPoint TObrazMaszyny::PunktObrazu(QPointF punkt) const {
    return {static_cast<int>(std::floor(punkt.x() / skala)),
            static_cast<int>(std::floor(punkt.y() / skala))};
}

int TObrazMaszyny::RejestrW(QPoint punkt) const {
    const TMiejsce* m = schemat.Rejestr(punkt.x(), punkt.y());
    return m ? m->Numer : 0;
}

int TObrazMaszyny::SygnalW(QPoint punkt) const {
    const TMiejsce* m = schemat.Sygnal(punkt.x(), punkt.y());
    return m ? m->Numer : 0;
}

QString TObrazMaszyny::OpisW(QPoint punkt) const {
    const TMiejsce* m = schemat.Trafienie(punkt.x(), punkt.y());
    if (!m) return {};
    if (m->Rodzaj == TRodzajMiejsca::Sygnal)
        return OpisSygnalu(NazwySygnalow[static_cast<std::size_t>(m->Numer)], jezyk);
    QString opis = OpisRejestru(m->Numer, jezyk);
    // The name and the bar stand for their box, whose whole value goes with them.
    const TMiejsce* skrzynka = schemat.Znajdz(TRodzajMiejsca::Rejestr, m->Numer);
    if (skrzynka && !skrzynka->PelnaWartosc.empty())
        opis += QLatin1Char('\n') + QString::fromStdString(skrzynka->PelnaWartosc);
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
    const TMiejsce* m = schemat.Rejestr(punkt.x(), punkt.y());
    if (!m) return nullptr;
    QMenu* menu = nullptr;
    switch (m->Menu) {
    case TRodzajMenu::Brak:
        return nullptr;
    case TRodzajMenu::Rejestr:
        menu = PopupMenu1;
        break;
    case TRodzajMenu::Bit:
        menu = PopupMenu2;
        break;
    case TRodzajMenu::Magistrala:
        menu = PopupMenu3;
        break;
    }
    const int k = m->Numer;
    const TRejestrArchitektury& r = symulator.Architektura.Rejestry[static_cast<std::size_t>(k)];
    menu->setProperty("Tag", k);
    if (menu != PopupMenu2) {
        const bool jeden = menu == PopupMenu1;
        (jeden ? Menu1_Dwojkowy : Menu3_Dwojkowy)->setChecked(r.Podstawa == 2);
        (jeden ? Menu1_Dziesietny : Menu3_Dziesietny)->setChecked(r.Podstawa == 10);
        (jeden ? Menu1_Szesnastkowy : Menu3_Szesnastkowy)->setChecked(r.Podstawa == 16);
    }
    const QPoint naroznik(static_cast<int>(std::lround((m->Obszar.Lewo + 1) * skala)),
                          static_cast<int>(std::lround((m->Obszar.Dol + 1) * skala)));
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
