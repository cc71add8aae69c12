#pragma once
// The machine drawn as a block diagram (Image1 of the schematic panel): it paints the
// picture description of the schematic library with QPainter, opens the register,
// one-bit and bus menus where the picture's hit test says, and takes the label clicks
// of manual mode.
//
// Everything is painted in image pixels (705 x 485) and scaled as a whole: for the
// screen's pixel ratio and for the zoom chosen with Ctrl + mouse wheel.

#include <QImage>
#include <QRect>
#include <QRegion>
#include <QString>
#include <QWidget>

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "Modalnie.h"
#include "Schemat.h"

class QPainter;

class QAction;
class QDialog;
class QMenu;
class QScrollBar;
class QToolButton;
class TMiaraQt;
class TSymulator;

// What the pop-up menus' items do, on the slot of the box the menu was opened on.
enum class TPolecenieRejestru : std::uint8_t {
    Zwieksz,
    Zmniejsz,
    WpiszWartosc,
    Wyzeruj,
    Dwojkowy,
    Dziesietny,
    Szesnastkowy,
    Ustaw0,
    Ustaw1
};

// "Wpisz wartość": decimal, "$" for hexadecimal, an optional minus; a 32-bit value.
// Empty when the text does not convert.
std::optional<std::int32_t> LiczbaZTekstu(const QString& tekst);

class TObrazMaszyny : public QWidget {
    Q_OBJECT
  public:
    static constexpr int Szerokosc = 705, Wysokosc = 485;

    explicit TObrazMaszyny(TSymulator& symulator, QWidget* parent = nullptr);
    ~TObrazMaszyny() override;

    // Builds the picture anew from the machine, paints it, places the IRQ buttons and the
    // memory scroll bar, and sends the status text.
    void RysujMaszyne();
    // RysujMaszyne, then the memory scroll bar's range (the window ends at the last address).
    void OdswiezMaszyne();

    // The image as last drawn; at zoom 1 on a screen of ratio 1 one pixel per image pixel.
    const QImage& Obraz() const { return obraz; }
    // The picture as last built.
    const TObrazSchematu& Schemat() const { return schemat; }

    // Where a primitive may set pixels, in picture coordinates: a change repaints the
    // squares these touch, so a pixel outside would be left stale.
    QRect ObszarPrymitywu(const TPrymityw& x) const;
    // One primitive, as the image paints it.
    void MalujPrymityw(QPainter& p, const TPrymityw& x) const;

    // Zoom factor (1 = 705 x 485 logical pixels); kept between 0.5 and 4.
    qreal Skala() const { return skala; }
    void UstawSkale(qreal s);

    // Hit tests in image pixels: the highest slot (1..29) or signal (1..61) whose
    // rectangle strictly contains the point, 0 when none. Absent signals do not count.
    int RejestrW(QPoint punkt) const;
    int SygnalW(QPoint punkt) const;
    // The tooltip at an image point: the name and one line of what the signal label,
    // register or flag box, flag name or bus bar there is, with the whole value when its
    // box shows it shortened. Empty where nothing is named.
    QString OpisW(QPoint punkt) const;
    // 1 Polish, 2 English tooltips.
    void UstawJezyk(int n) { jezyk = n; }

    // A context click at an image point: the menu of the box there, opened at the box's
    // lower-left corner with its tag set to the slot. Nullptr when no menu opens.
    QMenu* OtworzMenu(QPoint punkt);
    // A left-button release at an image point in manual mode: inverts the choice of the
    // label there. True when a label was hit.
    bool KliknijSygnal(QPoint punkt);
    // A menu item's command on slot k, then a redraw.
    void WykonajPolecenie(TPolecenieRejestru polecenie, int k);
    // The slot a menu was last opened on.
    static int Tag(const QMenu* menu);

    // Runs the value dialog modally (OtworzModalnie by default); tests answer it here.
    TWykonajModalnie WykonajModalnie;

    QMenu* PopupMenu1;
    QMenu* PopupMenu2;
    QMenu* PopupMenu3;
    QAction* Menu1_Zwieksz;
    QAction* Menu1_Zmniejsz;
    QAction* Menu1_WpiszWartosc;
    QAction* Menu1_Wyzeruj;
    QAction* Menu1_Dwojkowy;
    QAction* Menu1_Dziesietny;
    QAction* Menu1_Szesnastkowy;
    QAction* Menu2_Ustaw0;
    QAction* Menu2_Ustaw1;
    QAction* Menu3_Dwojkowy;
    QAction* Menu3_Dziesietny;
    QAction* Menu3_Szesnastkowy;

    // Scrolls the memory window; a child of the image so it zooms with it.
    QScrollBar* ScrollBarPaO;
    // The eight interrupt-request buttons; SpeedButtonIRQ[n] is SpeedButton n (1..8).
    QWidget* Panel_IRQ;
    std::array<QToolButton*, 9> SpeedButtonIRQ{};

  signals:
    // " " and the current signal text, for the main window's status bar.
    void TekstStatusu(const QString& tekst);

  protected:
    bool event(QEvent* zdarzenie) override;
    void paintEvent(QPaintEvent* zdarzenie) override;
    void contextMenuEvent(QContextMenuEvent* zdarzenie) override;
    void mouseReleaseEvent(QMouseEvent* zdarzenie) override;
    void wheelEvent(QWheelEvent* zdarzenie) override;

  private:
    void BudujMenu();
    void BudujPrzyciskiIRQ();
    // The picture description, then the image painted from it: whole, or only where the
    // picture changed since the image was last painted. The part of the widget to update.
    void Zbuduj();
    QRegion Maluj();
    void UmiescDzieci();
    QPoint PunktObrazu(QPointF punkt) const;

    TSymulator& symulator;
    std::unique_ptr<TMiaraQt> miara;
    TObrazSchematu schemat;
    QImage obraz;
    // The primitives the image shows, and where each of them may have set pixels.
    std::vector<TPrymityw> namalowane;
    std::vector<QRect> obszary;
    qreal skala = 1.0;
    int jezyk = 1;
};
