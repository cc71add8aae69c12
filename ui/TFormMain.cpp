#include "TFormMain.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCloseEvent>
#include <QComboBox>
#include <QDesktopServices>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPainter>
#include <QProxyStyle>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QStyle>
#include <QStyleFactory>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>

#include "Opisy.h"
#include "TAboutBox.h"
#include "TFormArchitektura.h"
#include "TFrameBreakpoints.h"
#include "TFrameCPU.h"
#include "TFrameDebug.h"
#include "TFrameKonsola.h"
#include "TFrameMaszyna.h"
#include "TFramePamiecMikroprogramu.h"
#include "TFrameProgram.h"
#include "TFrameRozkaz.h"
#include "TLanguages.h"
#include "TPrzebiegOkna.h"
#include "TSymulator.h"
#include "Wersja.h"

namespace {

const QString TytulAplikacji = QStringLiteral("Symulator komputera dydaktycznego");
const QString PlikPomocy = QStringLiteral("Zerwon.hlp");

QString Q(std::string_view s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

enum class TRodzaj { Menu, Podmenu, KoniecPodmenu, Pozycja, Separator };

using TAkcja = void (*)(TFormMain&);

struct TPozycjaMenu {
    TRodzaj Rodzaj;
    std::string_view Nazwa = {};
    bool Ukryta = false;
    TAkcja Akcja = nullptr;
    // Only for the components the caption tables leave alone.
    std::string_view Napis = {};
};

// The top bar, left to right: panel number, component, glyph.
struct TPrzyciskPaska {
    int Panel;
    const char* Nazwa;
    QStyle::StandardPixmap Obraz;
};

constexpr std::array<TPrzyciskPaska, 8> PrzyciskiPaska = {{
    {1, "SpeedButtonMaszyna", QStyle::SP_ComputerIcon},
    {2, "SpeedButtonProgram", QStyle::SP_FileIcon},
    {3, "SpeedButtonRozkaz", QStyle::SP_FileDialogContentsView},
    {8, "SpeedButtonMikroprogram", QStyle::SP_FileDialogDetailedView},
    {4, "SpeedButtonCPU", QStyle::SP_DriveHDIcon},
    {5, "SpeedButtonKonsola", QStyle::SP_DesktopIcon},
    {6, "SpeedButtonDebug", QStyle::SP_MessageBoxWarning},
    {7, "SpeedButtonBreakpoints", QStyle::SP_BrowserStop},
}};

// The menu bar's style: the application's own, except that a separator in the bar
// right-aligns the menus after it.
class TStylPaskaMenu : public QProxyStyle {
  public:
    explicit TStylPaskaMenu(QObject* wlasciciel)
        : QProxyStyle(QStyleFactory::create(QApplication::style()->name())) {
        setParent(wlasciciel);
    }
    int styleHint(StyleHint wskazowka, const QStyleOption* opcja, const QWidget* widzet,
                  QStyleHintReturn* zwrot) const override {
        if (wskazowka == SH_DrawMenuBarSeparator) return 1;
        return QProxyStyle::styleHint(wskazowka, opcja, widzet, zwrot);
    }
};

// The drop-down mark over the right edge of the Maszyna button.
QPixmap ZnacznikRozwijania() {
    QPixmap obraz(8, 45);
    obraz.fill(Qt::transparent);
    QPainter p(&obraz);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::black);
    const QPointF trojkat[] = {{1, 20}, {7, 20}, {4, 24}};
    p.drawPolygon(trojkat, 3);
    return obraz;
}

} // namespace

TFormMain::TFormMain(TSymulator& symulator, QWidget* parent)
    : QMainWindow(parent), symulator(symulator) {
    setObjectName(QStringLiteral("FormMain"));
    WykonajModalnie = OtworzModalnie;
    OtworzAdres = [](const QUrl& adres) { QDesktopServices::openUrl(adres); };
    KatalogProgramu = QCoreApplication::applicationDirPath();

    BudujPasek();
    BudujPanele();
    BudujMenu();
    BudujPasekStanu();

    // Key preview: the window sees every key before the focused control. The same filter
    // serves the drop-down mark and the top bar's resizes.
    qApp->installEventFilter(this);
    PozycjaSekwencji = 1;
    QCoreApplication::setApplicationName(TytulAplikacji);
    symulator.UstawTrybPracy(TTrybPracy::Bezczynny);
    setWindowTitle(TytulAplikacji + QLatin1Char(' ') + Q(WersjaProgramu));
    setWindowIcon(QIcon(TAboutBox::IkonaProgramu(32)));
    PokazPanel(0);

    AboutBox = new TAboutBox(this);
    symulator.Subskrybuj(this);
}

TFormMain::~TFormMain() {
    qApp->removeEventFilter(this);
    symulator.Wypisz(this);
    // A run still in progress ends while every panel can still hear of it.
    symulator.ZakonczPrzebieg();
}

// ---- construction ----

void TFormMain::BudujPasek() {
    auto* srodek = new QWidget(this);
    auto* uklad = new QVBoxLayout(srodek);
    uklad->setContentsMargins(0, 0, 0, 0);
    uklad->setSpacing(0);
    auto* bevel1 = new QFrame(srodek);
    bevel1->setObjectName(QStringLiteral("Bevel1"));
    bevel1->setFrameStyle(QFrame::HLine | QFrame::Sunken);
    bevel1->setFixedHeight(2);
    uklad->addWidget(bevel1);

    PanelTop = new QFrame(srodek);
    PanelTop->setObjectName(QStringLiteral("PanelTop"));
    PanelTop->setFixedHeight(55);
    uklad->addWidget(PanelTop);
    auto* bevel2 = new QFrame(PanelTop);
    bevel2->setObjectName(QStringLiteral("Bevel2"));
    bevel2->setFrameStyle(QFrame::HLine | QFrame::Sunken);
    bevel2->setGeometry(0, 53, 4000, 2);

    grupaPaska = new QButtonGroup(this);
    grupaPaska->setExclusive(true);
    for (std::size_t i = 0; i < PrzyciskiPaska.size(); ++i) {
        const TPrzyciskPaska& opis = PrzyciskiPaska[i];
        auto* b = new QToolButton(PanelTop);
        b->setObjectName(QString::fromLatin1(opis.Nazwa));
        b->setText(Q(Napis(opis.Nazwa, JezykPolski)));
        b->setIcon(style()->standardIcon(opis.Obraz));
        b->setIconSize(QSize(20, 20));
        // Small type, so that "Punkty zatrzymania" fits its 105 pixels.
        QFont czcionka = b->font();
        czcionka.setPixelSize(11);
        b->setFont(czcionka);
        b->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
        b->setAutoRaise(true);
        b->setCheckable(true);
        b->setFocusPolicy(Qt::NoFocus);
        b->setGeometry(4 + 84 * static_cast<int>(i), 4, i + 1 == PrzyciskiPaska.size() ? 105 : 85,
                       45);
        grupaPaska->addButton(b, opis.Panel);
        przyciski[static_cast<std::size_t>(opis.Panel)] = b;
        const int n = opis.Panel;
        connect(b, &QToolButton::clicked, this, [this, n] {
            PokazPanel(n);
            if (n == 6) WyroznijDebug(false);
        });
    }
    SpeedButtonMaszyna = przyciski[1];
    SpeedButtonProgram = przyciski[2];
    SpeedButtonRozkaz = przyciski[3];
    SpeedButtonCPU = przyciski[4];
    SpeedButtonKonsola = przyciski[5];
    SpeedButtonDebug = przyciski[6];
    SpeedButtonBreakpoints = przyciski[7];
    SpeedButtonMikroprogram = przyciski[8];

    Image1 = new QLabel(PanelTop);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(79, 4, 8, 45);
    Image1->setPixmap(ZnacznikRozwijania());
    Image1->raise();

    // Created hidden and never shown; it stays at the right end of the bar all the same.
    SpeedButtonSimpleMode = new QToolButton(PanelTop);
    SpeedButtonSimpleMode->setObjectName(QStringLiteral("SpeedButtonSimpleMode"));
    SpeedButtonSimpleMode->setText(QStringLiteral("Tryb prosty"));
    SpeedButtonSimpleMode->setAutoRaise(true);
    SpeedButtonSimpleMode->setCheckable(true);
    SpeedButtonSimpleMode->setFixedSize(65, 22);
    SpeedButtonSimpleMode->hide();
    connect(SpeedButtonSimpleMode, &QToolButton::clicked, this,
            &TFormMain::SpeedButtonSimpleModeClick);

    setCentralWidget(srodek);
}

void TFormMain::BudujPanele() {
    auto* obszar = new QWidget(centralWidget());
    obszar->setObjectName(QStringLiteral("ObszarPaneli"));
    auto* siatka = new QGridLayout(obszar);
    siatka->setContentsMargins(0, 0, 0, 0);
    FrameMaszyna1 = new TFrameMaszyna(symulator, obszar);
    FrameProgram1 = new TFrameProgram(symulator, obszar);
    FrameRozkaz1 = new TFrameRozkaz(symulator, obszar);
    FrameCPU1 = new TFrameCPU(symulator, obszar);
    FrameKonsola1 = new TFrameKonsola(symulator, obszar);
    FrameDebug1 = new TFrameDebug(symulator, obszar);
    FrameBreakpoints1 = new TFrameBreakpoints(symulator, obszar);
    FramePamiecMikroprogramu1 = new TFramePamiecMikroprogramu(symulator, obszar);
    ramki = {nullptr,      FrameMaszyna1,     FrameProgram1,
             FrameRozkaz1, FrameCPU1,         FrameKonsola1,
             FrameDebug1,  FrameBreakpoints1, FramePamiecMikroprogramu1};
    const char* nazwy[] = {nullptr,        "FrameMaszyna1",     "FrameProgram1",
                           "FrameRozkaz1", "FrameCPU1",         "FrameKonsola1",
                           "FrameDebug1",  "FrameBreakpoints1", "FramePamiecMikroprogramu1"};
    // All in one cell: at most one is visible and it fills the client area.
    for (int n = 1; n <= 8; ++n) {
        ramki[static_cast<std::size_t>(n)]->setObjectName(QString::fromLatin1(nazwy[n]));
        siatka->addWidget(ramki[static_cast<std::size_t>(n)], 0, 0);
    }
    static_cast<QVBoxLayout*>(centralWidget()->layout())->addWidget(obszar, 1);

    Przebieg = new TPrzebiegOkna(symulator, this);
    FrameMaszyna1->UstawPrzebieg(Przebieg);
    FrameCPU1->UstawPrzebieg(Przebieg);
    connect(Przebieg, &TPrzebiegOkna::PoczatekPrzebiegu, this, &TFormMain::UstawWstecz);

    connect(FrameMaszyna1, &TFrameMaszyna::TekstStatusu, this,
            [this](const QString& t) { UstawStatus(1, t); });
    connect(FrameCPU1, &TFrameCPU::TekstStatusu, this,
            [this](const QString& t) { UstawStatus(1, t); });
    connect(FrameDebug1, &TFrameDebug::Nowosci, this, &TFormMain::WyroznijDebug);
    connect(FrameRozkaz1, &TFrameRozkaz::StanMikroprogramu, this, [this](bool nieaktualny) {
        if (!LabelMikroprogram) return;
        LabelMikroprogram->setText(TekstOkna(TTekstOkna::MikroprogramNieaktualny, jezyk));
        LabelMikroprogram->setVisible(nieaktualny);
    });
    // The panels' dialogs and boxes go through the window's hook.
    for (TWykonajModalnie* hak : {&FrameBreakpoints1->WykonajModalnie,
                                  &FrameProgram1->WykonajModalnie, &FrameRozkaz1->WykonajModalnie})
        *hak = [this](QDialog& okno, TKoniecOkna koniec) {
            WykonajModalnie(okno, std::move(koniec));
        };
}

void TFormMain::BudujMenu() {
    using R = TRodzaj;
    // The menus in their order, with what each item does.
    static constexpr TPozycjaMenu menu[] = {
        {R::Menu, "Menu_Symulator"},
        {R::Pozycja, "Menu_Symulator_Wczytaj", true},
        {R::Pozycja, "Menu_Symulator_Zapisz", true},
        {R::Separator, {}, true},
        {R::Pozycja, "Menu_Symulator_Architektura", false,
         [](TFormMain& f) { f.PokazArchitekture(); }},
        {R::Separator},
        {R::Podmenu, "Menu_Jezyk"},
        {R::Pozycja, "Menu_Polski", false, [](TFormMain& f) { f.JezykMenu(JezykPolski); }},
        {R::Pozycja, "Menu_Angielski", false, [](TFormMain& f) { f.JezykMenu(JezykAngielski); }},
        {R::KoniecPodmenu},
        {R::Separator},
        {R::Pozycja, "Menu_Symulator_Zakoncz", false, [](TFormMain& f) { f.close(); }},

        {R::Menu, "Menu_Maszyna"},
        {R::Pozycja, "Menu_Maszyna_PokazPanel", false, [](TFormMain& f) { f.PokazIPrzycisnij(1); }},
        {R::Separator},
        {R::Pozycja, "Menu_Maszyna_Wczytaj", false, [](TFormMain& f) { f.WczytajMaszyne(); }},
        {R::Pozycja, "Menu_Maszyna_Zapisz", false, [](TFormMain& f) { f.ZapiszMaszyne(); }},
        {R::Separator},
        // Unlike the schematic's own button it keeps the chosen signals and does not redraw.
        {R::Pozycja, "Menu_Maszyna_Recznie", false,
         [](TFormMain& f) {
             f.PokazIPrzycisnij(1);
             const TTrybPracy tryb = f.symulator.StanPracy.TrybPracy;
             if (tryb != TTrybPracy::Program)
                 f.symulator.UstawTrybPracy(tryb == TTrybPracy::Reczny ? TTrybPracy::Bezczynny
                                                                       : TTrybPracy::Reczny);
         }},
        {R::Separator},
        {R::Pozycja, "Menu_Maszyna_Takt", false,
         [](TFormMain& f) {
             f.PokazIPrzycisnij(1);
             f.FrameMaszyna1->SpeedButtonTakt->click();
         }},
        {R::Pozycja, "Menu_Maszyna_Rozkaz", false,
         [](TFormMain& f) {
             f.PokazIPrzycisnij(1);
             f.FrameMaszyna1->SpeedButtonRozkaz->click();
         }},
        {R::Pozycja, "Menu_Maszyna_TaktWstecz", false,
         [](TFormMain& f) {
             f.PokazIPrzycisnij(1);
             f.FrameMaszyna1->SpeedButtonTaktWstecz->click();
         }},
        {R::Pozycja, "Menu_Maszyna_RozkazWstecz", false,
         [](TFormMain& f) {
             f.PokazIPrzycisnij(1);
             f.FrameMaszyna1->SpeedButtonRozkazWstecz->click();
         }},
        {R::Pozycja, "Menu_Maszyna_Program", false,
         [](TFormMain& f) {
             f.PokazIPrzycisnij(1);
             f.FrameMaszyna1->SpeedButtonProgram->click();
         }},
        {R::Pozycja, "Menu_Maszyna_Reset", false,
         [](TFormMain& f) {
             f.PokazIPrzycisnij(1);
             f.FrameMaszyna1->SpeedButtonReset->click();
         }},
        {R::Pozycja, "Menu_Maszyna_Stop", false,
         [](TFormMain& f) {
             f.PokazIPrzycisnij(1);
             f.FrameMaszyna1->SpeedButtonStop->click();
         }},

        {R::Menu, "Menu_Program"},
        {R::Pozycja, "Menu_Program_PokazPanel", false, [](TFormMain& f) { f.PokazIPrzycisnij(2); }},
        {R::Separator},
        {R::Pozycja, "Menu_Program_Wczytaj", false, [](TFormMain& f) { f.WczytajProgram(); }},
        {R::Pozycja, "Menu_Program_Zapisz", false, [](TFormMain& f) { f.ZapiszProgram(); }},
        {R::Separator},
        // The same compile as the panel's button and Ctrl+F9, rather than an item that does
        // nothing.
        {R::Pozycja, "Menu_Program_Kompiluj", false,
         [](TFormMain& f) {
             f.PokazIPrzycisnij(2);
             f.FrameProgram1->SpeedButtonKompilujClick();
         }},

        {R::Menu, "Menu_Rozkazy"},
        {R::Pozycja, "Menu_Rozkazy_PokazPanel", false, [](TFormMain& f) { f.PokazIPrzycisnij(3); }},
        {R::Separator},
        {R::Pozycja, "Menu_Rozkazy_Wczytaj", false, [](TFormMain& f) { f.WczytajRozkazy(); }},
        {R::Pozycja, "Menu_Rozkazy_Zapisz", false, [](TFormMain& f) { f.ZapiszRozkazy(); }},
        {R::Separator},
        {R::Pozycja, "Menu_Rozkazy_Kompiluj", false,
         [](TFormMain& f) {
             f.PokazIPrzycisnij(3);
             f.FrameRozkaz1->SpeedButtonKompilujClick();
         }},
        {R::Pozycja, "Menu_Rozkazy_Dodaj", false,
         [](TFormMain& f) {
             f.PokazIPrzycisnij(3);
             f.FrameRozkaz1->SpeedButtonDodajClick();
         }},
        {R::Pozycja, "Menu_Rozkazy_Usun", false,
         [](TFormMain& f) {
             f.PokazIPrzycisnij(3);
             f.FrameRozkaz1->SpeedButtonUsunClick();
         }},
        {R::Separator},
        // Without a question.
        {R::Pozycja, "Menu_Rozkazy_UsunWszystkie", false,
         [](TFormMain& f) {
             f.symulator.UsunWszystkieRozkazy();
             f.symulator.KompilujMikroprogram();
         }},
        {R::Pozycja, "Menu_Rozkazy_UstawStandardowe", false,
         [](TFormMain& f) {
             f.symulator.UstawStandardoweRozkazy();
             f.symulator.KompilujMikroprogram();
         }},

        {R::Menu, "Menu_Mikroprogram"},
        {R::Pozycja, "Menu_Mikroprogram_PokazPanel", false,
         [](TFormMain& f) { f.PokazIPrzycisnij(8); }},
        {R::Separator},
        {R::Pozycja, "Menu_Mikroprogram_PokazWszystkie", false,
         [](TFormMain& f) {
             f.PokazIPrzycisnij(8);
             f.FramePamiecMikroprogramu1->PokazWszystkie();
         }},
        {R::Pozycja, "Menu_Mikroprogram_UkryjPuste", false,
         [](TFormMain& f) {
             f.PokazIPrzycisnij(8);
             f.FramePamiecMikroprogramu1->UkryjPuste();
         }},

        {R::Menu, "Menu_CPU"},
        {R::Pozycja, "Menu_CPU_PokazPanel", false, [](TFormMain& f) { f.PokazIPrzycisnij(4); }},
        {R::Separator},
        {R::Pozycja, "Menu_CPU_Takt", false,
         [](TFormMain& f) {
             f.PokazIPrzycisnij(4);
             f.FrameCPU1->SpeedButtonTakt->click();
         }},
        {R::Pozycja, "Menu_CPU_Rozkaz", false,
         [](TFormMain& f) {
             f.PokazIPrzycisnij(4);
             f.FrameCPU1->SpeedButtonRozkaz->click();
         }},
        {R::Pozycja, "Menu_CPU_Program", false,
         [](TFormMain& f) {
             f.PokazIPrzycisnij(4);
             f.FrameCPU1->SpeedButtonProgram->click();
         }},
        {R::Pozycja, "Menu_CPU_Reset", false,
         [](TFormMain& f) {
             f.PokazIPrzycisnij(4);
             f.FrameCPU1->SpeedButtonReset->click();
         }},
        {R::Pozycja, "Menu_CPU_Stop", false,
         [](TFormMain& f) {
             f.PokazIPrzycisnij(4);
             f.FrameCPU1->SpeedButtonStop->click();
         }},

        {R::Menu, "Menu_Konsola"},
        {R::Pozycja, "Menu_Konsola_PokazPanel", false, [](TFormMain& f) { f.PokazIPrzycisnij(5); }},
        {R::Separator},
        {R::Pozycja, "Menu_Konsola_Wyczysc", false,
         [](TFormMain& f) {
             f.PokazIPrzycisnij(5);
             f.FrameKonsola1->SpeedButtonWyczyscClick();
         }},

        {R::Menu, "Menu_Debug"},
        {R::Pozycja, "Menu_Debug_PokazPanel", false, [](TFormMain& f) { f.PokazIPrzycisnij(6); }},
        {R::Separator},
        {R::Pozycja, "Menu_Debug_Wyczysc", false,
         [](TFormMain& f) {
             f.PokazIPrzycisnij(6);
             f.FrameDebug1->SpeedButtonWyczyscClick();
         }},

        {R::Menu, "Menu_Breakpoints"},
        {R::Pozycja, "Menu_Breakpoints_PokazPanel", false,
         [](TFormMain& f) { f.PokazIPrzycisnij(7); }},
        {R::Separator},
        {R::Pozycja, "Menu_Breakpoints_Wczytaj", true, nullptr, "Wczytaj..."},
        {R::Pozycja, "Menu_Breakpoints_Zapisz", true, nullptr, "Zapisz..."},
        {R::Separator, {}, true},
        {R::Pozycja, "Menu_Breakpoints_Dodaj", false,
         [](TFormMain& f) {
             f.PokazIPrzycisnij(7);
             f.FrameBreakpoints1->SpeedButtonDodajClick();
         }},
        {R::Pozycja, "Menu_Breakpoints_Usun", false,
         [](TFormMain& f) {
             f.PokazIPrzycisnij(7);
             f.FrameBreakpoints1->SpeedButtonUsunClick();
         }},

        {R::Menu, "Menu_Pomoc"},
        {R::Pozycja, "Menu_Pomoc_TematyPomocy", true,
         [](TFormMain& f) {
             f.OtworzAdres(QUrl::fromLocalFile(QCoreApplication::applicationDirPath() +
                                               QLatin1Char('/') + PlikPomocy));
         }},
        {R::Separator, {}, true},
        {R::Pozycja, "Menu_Pomoc_StronaDomowa", true,
         [](TFormMain& f) { f.OtworzAdres(QUrl(AdresStronyDomowej())); }},
        {R::Pozycja, "Menu_Pomoc_SprawdzenieWersjiProgramu", true,
         [](TFormMain& f) { f.OtworzAdres(QUrl(AdresSprawdzeniaWersji())); }},
        {R::Pozycja, "Menu_Pomoc_Email", true,
         [](TFormMain& f) { f.OtworzAdres(QUrl(AdresEmail())); }},
        {R::Separator, {}, true},
        {R::Pozycja, "Menu_Pomoc_Podrecznik", false, [](TFormMain& f) { f.PokazPodrecznik(); }},
        {R::Pozycja, "Menu_Pomoc_Informacje", false, [](TFormMain& f) { f.PokazInformacje(); }},
    };

    QMenuBar* pasek = menuBar();
    // Pomoc stands at the right end of the same bar, behind a separator the bar's style
    // treats as the point from which menus are right-aligned: it is re-laid out with
    // every caption change and the arrow keys reach it like any other menu.
    pasek->setStyle(new TStylPaskaMenu(this));
    QMenu* biezace = nullptr;
    QMenu* nadrzedne = nullptr;
    for (const TPozycjaMenu& p : menu) {
        const QString nazwa = Q(p.Nazwa);
        const QString napis = p.Napis.empty() ? Q(Napis(p.Nazwa, JezykPolski)) : Q(p.Napis);
        switch (p.Rodzaj) {
        case TRodzaj::Menu:
            if (nazwa == QLatin1String("Menu_Pomoc")) pasek->addSeparator();
            biezace = pasek->addMenu(napis);
            break;
        case TRodzaj::Podmenu:
            nadrzedne = biezace;
            biezace = biezace->addMenu(napis);
            break;
        case TRodzaj::KoniecPodmenu:
            biezace = nadrzedne;
            continue;
        case TRodzaj::Separator:
            biezace->addSeparator()->setVisible(!p.Ukryta);
            continue;
        case TRodzaj::Pozycja: {
            QAction* a = biezace->addAction(napis);
            a->setObjectName(nazwa);
            a->setVisible(!p.Ukryta);
            if (const TAkcja akcja = p.Akcja)
                connect(a, &QAction::triggered, this, [this, akcja] { akcja(*this); });
            akcje.insert(nazwa, a);
            continue;
        }
        }
        biezace->setObjectName(nazwa);
        biezace->menuAction()->setObjectName(nazwa);
        akcje.insert(nazwa, biezace->menuAction());
    }
    // The owner's announcements keep the back commands current; they are checked again
    // whenever they can be reached all the same.
    connect(Akcja(QStringLiteral("Menu_Maszyna"))->menu(), &QMenu::aboutToShow, this,
            &TFormMain::UstawWstecz);

    for (const char* n : {"Menu_Polski", "Menu_Angielski", "Menu_Maszyna_Recznie"})
        Akcja(QString::fromLatin1(n))->setCheckable(true);
    QAction* zakoncz = Akcja(QStringLiteral("Menu_Symulator_Zakoncz"));
    zakoncz->setIcon(style()->standardIcon(QStyle::SP_DialogCloseButton));
    zakoncz->setStatusTip(QStringLiteral("Zakończ pracę symulatora"));

    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    Architektura2 = PopupMenu1->addAction(QStringLiteral("Architektura"));
    Architektura2->setObjectName(QStringLiteral("Architektura2"));
    connect(Architektura2, &QAction::triggered, this, &TFormMain::PokazArchitekture);
}

void TFormMain::BudujPasekStanu() {
    StatusBar1 = statusBar();
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    panelStanu0 = new QLabel(QStringLiteral("?"), StatusBar1);
    panelStanu0->setObjectName(QStringLiteral("Panel0"));
    panelStanu0->setFixedWidth(32);
    panelStanu0->setAlignment(Qt::AlignCenter);
    panelStanu0->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    panelStanu1 = new QLabel(StatusBar1);
    panelStanu1->setObjectName(QStringLiteral("Panel1"));
    panelStanu1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    panelStanu1->setTextFormat(Qt::PlainText);
    panelStanu1->setMinimumWidth(1);
    LabelMikroprogram = new QLabel(panelStanu1);
    LabelMikroprogram->setObjectName(QStringLiteral("LabelMikroprogram"));
    LabelMikroprogram->setTextFormat(Qt::PlainText);
    QPalette paleta = LabelMikroprogram->palette();
    paleta.setColor(QPalette::WindowText, Qt::red);
    LabelMikroprogram->setPalette(paleta);
    LabelMikroprogram->hide();
    auto* uklad = new QHBoxLayout(panelStanu1);
    uklad->setContentsMargins(0, 0, 4, 0);
    uklad->addStretch(1);
    uklad->addWidget(LabelMikroprogram);
    StatusBar1->addWidget(panelStanu0);
    StatusBar1->addWidget(panelStanu1, 1);
    StatusBar1->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(StatusBar1, &QStatusBar::customContextMenuRequested, this,
            [this](const QPoint& p) { PopupMenu1->popup(StatusBar1->mapToGlobal(p)); });
}

// ---- first show ----

void TFormMain::showEvent(QShowEvent* zdarzenie) {
    QMainWindow::showEvent(zdarzenie);
    if (pokazano) return;
    pokazano = true;
    FormShow();
}

void TFormMain::FormShow() {
    move(0, 0);
    resize(750, 720);
    JezykMenu(JezykPolski);
    // Each panel hears of these from the owner and shows them.
    symulator.UstawSzerokosci(5, 3);
    symulator.ZastosujPreset("K");
    symulator.Reset();
    symulator.UstawStandardoweRozkazy();
    FrameProgram1->WypelnijListeProgramow();
    FrameProgram1->ComboBoxProgram->setCurrentIndex(0);
    FrameProgram1->WybierzProgram();

    FrameMaszyna1->SpeedButtonStop->hide();
    FrameCPU1->SpeedButtonStop->hide();
    QListWidget* lista = FrameMaszyna1->ListBox1;
    lista->setFrameShape(QFrame::NoFrame);
    QPalette paleta = lista->palette();
    paleta.setColor(QPalette::Base, paleta.color(QPalette::Button));
    lista->setPalette(paleta);

    symulator.WyczyscKonsole();
    FrameDebug1->WyczyscLog();
    symulator.KompilujMikroprogram();
    SpeedButtonMaszyna->setChecked(true);
    PokazPanel(1);
}

// ---- panels ----

TRamka* TFormMain::Ramka(int panel) const {
    return panel >= 1 && panel <= 8 ? ramki[static_cast<std::size_t>(panel)] : nullptr;
}

QToolButton* TFormMain::Przycisk(int panel) const {
    return panel >= 1 && panel <= 8 ? przyciski[static_cast<std::size_t>(panel)] : nullptr;
}

int TFormMain::WidocznyPanel() const {
    for (int n = 1; n <= 8; ++n)
        if (!Ramka(n)->isHidden()) return n;
    return 0;
}

void TFormMain::PokazPanel(int n) {
    if (n < 0 || n > 8) return;
    if (n != 0 && !Ramka(n)->isHidden()) return;
    for (int i = 1; i <= 8; ++i)
        Ramka(i)->hide();
    if (n == 0) return;
    UstawWstecz();
    Ramka(n)->Odswiez();
    Ramka(n)->show();
}

void TFormMain::PokazIPrzycisnij(int n) {
    Przycisk(n)->setChecked(true);
    PokazPanel(n);
}

void TFormMain::Zmiana(TZmiana co) {
    if (Zawiera(co, TZmiana::Architektura))
        UstawStatus(0, QString::fromStdString(symulator.NazwaPresetu));
    // Compiling, loading and the architecture clear the history as well.
    if (Zawiera(co, TZmiana::TrybPracy | TZmiana::StanMaszyny | TZmiana::Cofniecie))
        UstawDostepnosc();
    else
        UstawWstecz();
}

void TFormMain::WyroznijDebug(bool nowosci) {
    if (nowosci == debugWyrozniony) return;
    debugWyrozniony = nowosci;
    QFont czcionka = SpeedButtonDebug->font();
    czcionka.setBold(nowosci);
    SpeedButtonDebug->setFont(czcionka);
    QPalette paleta = SpeedButtonDebug->palette();
    paleta.setColor(QPalette::ButtonText,
                    nowosci ? QColor(Qt::red) : palette().color(QPalette::ButtonText));
    SpeedButtonDebug->setPalette(paleta);
}

void TFormMain::SpeedButtonSimpleModeClick() {
    PokazPanel(1);
    const bool widoczne = !SpeedButtonSimpleMode->isChecked();
    for (QToolButton* b :
         {SpeedButtonCPU, SpeedButtonKonsola, SpeedButtonDebug, SpeedButtonBreakpoints})
        b->setVisible(widoczne);
    for (const char* n : {"Menu_CPU", "Menu_Konsola", "Menu_Debug", "Menu_Breakpoints"})
        Akcja(QString::fromLatin1(n))->setVisible(widoczne);
}

// ---- enabling ----

void TFormMain::UstawDostepnosc() {
    const TTrybPracy tryb = symulator.StanPracy.TrybPracy;
    const bool bezczynny = tryb == TTrybPracy::Bezczynny, reczny = tryb == TTrybPracy::Reczny,
               program = tryb == TTrybPracy::Program;
    const bool wolno = !symulator.Maszyna.Zatrzymana();
    auto wlacz = [this](const char* nazwa, bool tak) {
        Akcja(QString::fromLatin1(nazwa))->setEnabled(tak);
    };

    // The mode is not switched under a running program: only Stop or Reset end it.
    FrameMaszyna1->SpeedButtonRecznie->setChecked(reczny);
    FrameMaszyna1->SpeedButtonRecznie->setEnabled(!program);
    Akcja(QStringLiteral("Menu_Maszyna_Recznie"))->setChecked(reczny);
    wlacz("Menu_Maszyna_Recznie", !program);
    FrameMaszyna1->SpeedButtonStop->setVisible(program);
    FrameCPU1->SpeedButtonStop->setVisible(program);

    for (const char* n : {"Menu_Symulator", "Menu_Mikroprogram", "Menu_Breakpoints"})
        wlacz(n, !program);
    for (const char* n : {"Menu_Program", "Menu_Rozkazy"})
        wlacz(n, bezczynny);
    for (const char* n : {"Menu_Maszyna", "Menu_CPU", "Menu_Konsola", "Menu_Debug"})
        wlacz(n, true);
    for (QToolButton* b : {SpeedButtonMaszyna, SpeedButtonKonsola, SpeedButtonDebug})
        b->setEnabled(true);
    SpeedButtonProgram->setEnabled(bezczynny);
    SpeedButtonRozkaz->setEnabled(bezczynny);
    SpeedButtonMikroprogram->setEnabled(!program);
    SpeedButtonCPU->setEnabled(!reczny);
    SpeedButtonBreakpoints->setEnabled(bezczynny);

    // While a program runs the run commands stay as they were.
    if (!program) {
        wlacz("Menu_Maszyna_Takt", wolno);
        for (const char* n : {"Menu_Maszyna_Rozkaz", "Menu_Maszyna_Program", "Menu_Maszyna_Stop"})
            wlacz(n, bezczynny);
        FrameMaszyna1->SpeedButtonTakt->setEnabled(wolno);
        FrameMaszyna1->SpeedButtonRozkaz->setEnabled(bezczynny && wolno);
        FrameMaszyna1->SpeedButtonProgram->setEnabled(bezczynny && wolno);
    }
    if (bezczynny)
        for (QToolButton* b : {FrameCPU1->SpeedButtonTakt, FrameCPU1->SpeedButtonRozkaz,
                               FrameCPU1->SpeedButtonProgram})
            b->setEnabled(wolno);
    UstawWstecz();
}

void TFormMain::UstawWstecz() {
    const bool mozna = Przebieg->MoznaWstecz();
    for (const char* n : {"Menu_Maszyna_TaktWstecz", "Menu_Maszyna_RozkazWstecz"})
        Akcja(QString::fromLatin1(n))->setEnabled(mozna);
    for (QToolButton* b :
         {FrameMaszyna1->SpeedButtonTaktWstecz, FrameMaszyna1->SpeedButtonRozkazWstecz,
          FrameCPU1->SpeedButtonTaktWstecz, FrameCPU1->SpeedButtonRozkazWstecz})
        b->setEnabled(mozna);
}

// ---- captions ----

void TFormMain::UstawJezyk(int n) {
    tlumaczenieQt.Ustaw(n);
    ::UstawJezyk(n, [this](std::string_view skladnik, const QString& napis) {
        const QString nazwa = Q(skladnik);
        if (QAction* a = akcje.value(nazwa)) a->setText(napis);
        for (int p = 1; p <= 8; ++p)
            if (Przycisk(p)->objectName() == nazwa) Przycisk(p)->setText(napis);
    });
}

void TFormMain::JezykMenu(int n) {
    UstawJezyk(n);
    if (n == JezykPolski || n == JezykAngielski) {
        jezyk = n;
        for (int p = 1; p <= 8; ++p)
            Ramka(p)->UstawJezyk(n);
        LabelMikroprogram->setText(TekstOkna(TTekstOkna::MikroprogramNieaktualny, n));
    }
    Akcja(QStringLiteral("Menu_Polski"))->setChecked(n == JezykPolski);
    Akcja(QStringLiteral("Menu_Angielski"))->setChecked(n == JezykAngielski);
}

QAction* TFormMain::Akcja(const QString& nazwa) const {
    return akcje.value(nazwa);
}

// ---- status bar ----

QString TFormMain::Status(int panel) const {
    return panel == 0 ? panelStanu0->text() : panel == 1 ? panelStanu1->text() : QString();
}

void TFormMain::UstawStatus(int panel, const QString& tekst) {
    if (panel == 0)
        panelStanu0->setText(tekst);
    else if (panel == 1)
        panelStanu1->setText(tekst);
}

// Hints go to the second status panel.
bool TFormMain::event(QEvent* zdarzenie) {
    if (zdarzenie->type() == QEvent::StatusTip) {
        UstawStatus(1, static_cast<QStatusTipEvent*>(zdarzenie)->tip());
        return true;
    }
    return QMainWindow::event(zdarzenie);
}

// ---- keys, the drop-down mark and the bar ----

bool TFormMain::eventFilter(QObject* obiekt, QEvent* zdarzenie) {
    const QEvent::Type typ = zdarzenie->type();
    if (obiekt == Image1) {
        if ((typ == QEvent::MouseButtonRelease &&
             static_cast<QMouseEvent*>(zdarzenie)->button() == Qt::LeftButton) ||
            typ == QEvent::ContextMenu) {
            PokazMenuArchitektury();
            return true;
        }
        return false;
    }
    if (obiekt == PanelTop && typ == QEvent::Resize) {
        SpeedButtonSimpleMode->move(PanelTop->width() - SpeedButtonSimpleMode->width() - 4, 4);
        return false;
    }
    if (typ == QEvent::KeyRelease) {
        ostatniKlawisz = nullptr;
        return false;
    }
    if (typ != QEvent::KeyPress || !obiekt->isWidgetType()) return false;
    auto* widzet = static_cast<QWidget*>(obiekt);
    if (widzet->window() != this) return false;
    // A key that a child ignored travels on to the child's parent, and so on up; it was
    // handled at the first.
    if (zdarzenie == ostatniKlawisz && ostatniOdbiorca &&
        widzet == ostatniOdbiorca->parentWidget()) {
        ostatniOdbiorca = widzet;
        return false;
    }
    ostatniKlawisz = zdarzenie;
    ostatniOdbiorca = widzet;
    return KlawiszWcisniety(*static_cast<QKeyEvent*>(zdarzenie));
}

bool TFormMain::KlawiszWcisniety(const QKeyEvent& klawisz) {
    const int kod = klawisz.key();
    const bool ctrl = klawisz.modifiers().testFlag(Qt::ControlModifier);
    const bool shift = klawisz.modifiers().testFlag(Qt::ShiftModifier);
    QToolButton* przycisk = nullptr;
    TRamkaPrzebiegu* ramka = SpeedButtonMaszyna->isChecked()
                                 ? static_cast<TRamkaPrzebiegu*>(FrameMaszyna1)
                             : SpeedButtonCPU->isChecked() ? FrameCPU1
                                                           : nullptr;
    if (ramka) {
        if (kod == Qt::Key_F7)
            przycisk = shift ? ramka->SpeedButtonTaktWstecz : ramka->SpeedButtonTakt;
        else if (kod == Qt::Key_F8)
            przycisk = shift ? ramka->SpeedButtonRozkazWstecz : ramka->SpeedButtonRozkaz;
        else if (kod == Qt::Key_F9)
            przycisk = ramka->SpeedButtonProgram;
    }
    bool obsluzony = false;
    if (przycisk) {
        przycisk->click();
        obsluzony = true;
    } else if (SpeedButtonProgram->isChecked() && kod == Qt::Key_F9 && ctrl) {
        FrameProgram1->SpeedButtonKompilujClick();
        obsluzony = true;
    }

    // Pressing Ctrl itself (or another modifier) is no key of the sequence, so letting go
    // of Ctrl between the letters does not break it.
    const bool modyfikator = kod == Qt::Key_Control || kod == Qt::Key_Shift || kod == Qt::Key_Alt ||
                             kod == Qt::Key_Meta || kod == Qt::Key_AltGr;
    if (ctrl && !modyfikator) {
        static constexpr std::string_view Sekwencja = "PLOVER";
        if (kod != Sekwencja[static_cast<std::size_t>(PozycjaSekwencji - 1)]) {
            PozycjaSekwencji = 1;
        } else if (PozycjaSekwencji < 6) {
            ++PozycjaSekwencji;
        } else {
            PozycjaSekwencji = 1;
            ZapytajRaz(WykonajModalnie,
                       new QMessageBox(QMessageBox::NoIcon, QCoreApplication::applicationName(),
                                       QStringLiteral("Easter Egg!"), QMessageBox::Ok, this));
        }
    }
    return obsluzony;
}

void TFormMain::PokazMenuArchitektury() {
    PopupMenu1->popup(SpeedButtonMaszyna->mapToGlobal(QPoint(0, SpeedButtonMaszyna->height())));
}

// ---- dialogs ----

void TFormMain::PokazArchitekture() {
    // Created once and kept: it remembers its up-downs and signal list between showings.
    if (!FormArchitektura) FormArchitektura = new TFormArchitektura(symulator, this);
    WykonajModalnie(*FormArchitektura, [this](int) {
        // Applying empties PaO: said here, as the schematic shows it only as zeros.
        if (FormArchitektura && FormArchitektura->result() == QDialog::Accepted)
            UstawStatus(1, TekstOkna(TTekstOkna::PamiecWyczyszczona, jezyk));
    });
}

void TFormMain::PokazInformacje() {
    AboutBox->Wysrodkuj();
    WykonajModalnie(*AboutBox, [](int) {});
}

// The question is answered after this event: a Yes closes the window again, and that
// second close is let through. A hook that answers at once answers within this event.
void TFormMain::closeEvent(QCloseEvent* zdarzenie) {
    if (!zamkniecieZatwierdzone) {
        zdarzenie->ignore();
        auto* pytanie = new QMessageBox(QMessageBox::Question, TytulAplikacji,
                                        QStringLiteral("Czy chcesz zakończyć pracę symulatora?"),
                                        QMessageBox::Yes | QMessageBox::No, this);
        pytanie->setDefaultButton(QMessageBox::No);
        pytanieOZamkniecie = true;
        ZapytajRaz(WykonajModalnie, pytanie, [this](int wynik) {
            if (wynik != QMessageBox::Yes) return;
            zamkniecieZatwierdzone = true;
            if (!pytanieOZamkniecie) close();
        });
        pytanieOZamkniecie = false;
        if (!zamkniecieZatwierdzone) return;
    }
    zamkniecieZatwierdzone = false;
    // A run in progress ends at its next check.
    symulator.Stop();
    zdarzenie->accept();
}

// ---- help addresses ----

QString TFormMain::AdresStronyDomowej() {
    return QStringLiteral("https://symulator.example.org");
}

QString TFormMain::AdresSprawdzeniaWersji() {
    QString zapytanie;
    for (const char z : WersjaProgramu.substr(0, 4)) {
        if (z == ' ')
            zapytanie += QStringLiteral("%20");
        else
            zapytanie += QLatin1Char(z);
    }
    return AdresStronyDomowej() + QStringLiteral("/check.php?ver=") + zapytanie;
}

QString TFormMain::AdresEmail() {
    return QStringLiteral("mailto:autor@symulator.example.org");
}

// ---- files ----

void TFormMain::WybierzPlik(bool zapis, const QString& filtr, const QString& rozszerzenie,
                            std::function<void(const QString& plik)> dalej) {
    auto* okno = new QFileDialog(this);
    okno->setNameFilter(filtr);
    okno->setAcceptMode(zapis ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    okno->setFileMode(zapis ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    if (zapis) okno->setDefaultSuffix(rozszerzenie);
    ZapytajRaz(WykonajModalnie, okno, [okno, dalej = std::move(dalej)](int wynik) {
        if (wynik != QDialog::Accepted) return;
        const QStringList pliki = okno->selectedFiles();
        if (!pliki.isEmpty() && !pliki.first().isEmpty()) dalej(pliki.first());
    });
}

void TFormMain::Blad(const std::string& tekst) {
    ZapytajRaz(WykonajModalnie,
               new QMessageBox(QMessageBox::Warning, QStringLiteral("Informacja"),
                               QString::fromStdString(tekst), QMessageBox::Ok, this));
}

namespace {
const QString FiltrMaszyny = QStringLiteral("Maszyna (*.mas);;Wszystkie pliki (*)");
const QString FiltrProgramu = QStringLiteral("Program (*.prg);;Wszystkie pliki (*)");
const QString FiltrRozkazow = QStringLiteral("Rozkazy (*.roz);;Wszystkie pliki (*)");
std::string Sciezka(const QString& plik) {
    return QFile::encodeName(plik).toStdString();
}
} // namespace

void TFormMain::WczytajMaszyne() {
    WybierzPlik(false, FiltrMaszyny, QStringLiteral("mas"),
                [this](const QString& plik) { OtworzMaszyne(plik); });
}

void TFormMain::OtworzMaszyne(const QString& plik) {
    std::string blad;
    if (!symulator.WczytajMaszyne(Sciezka(plik), blad)) Blad(blad);
}

void TFormMain::ZapiszMaszyne() {
    WybierzPlik(true, FiltrMaszyny, QStringLiteral("mas"), [this](const QString& plik) {
        std::string blad;
        if (!symulator.ZapiszMaszyne(Sciezka(plik), blad)) Blad(blad);
    });
}

void TFormMain::WczytajProgram() {
    WybierzPlik(false, FiltrProgramu, QStringLiteral("prg"),
                [this](const QString& plik) { OtworzProgram(plik); });
}

void TFormMain::OtworzProgram(const QString& plik) {
    std::string blad;
    if (!symulator.WczytajProgram(Sciezka(plik), blad)) return Blad(blad);
    // The text is in the editor, the memory still holds the old program.
    UstawStatus(1, TekstOkna(TTekstOkna::WczytanoProgram, jezyk).arg(QFileInfo(plik).fileName()));
}

void TFormMain::ZapiszProgram() {
    WybierzPlik(true, FiltrProgramu, QStringLiteral("prg"), [this](const QString& plik) {
        std::string blad;
        if (!TSymulator::ZapiszProgram(Sciezka(plik), FrameProgram1->LinieProgramu(), blad))
            Blad(blad);
    });
}

void TFormMain::WczytajRozkazy() {
    WybierzPlik(false, FiltrRozkazow, QStringLiteral("roz"),
                [this](const QString& plik) { OtworzRozkazy(plik); });
}

void TFormMain::OtworzRozkazy(const QString& plik) {
    std::string blad, uwaga;
    if (!symulator.WczytajRozkazy(Sciezka(plik), blad, &uwaga)) return Blad(blad);
    if (!uwaga.empty()) Blad(uwaga);
}

void TFormMain::ZapiszRozkazy() {
    // What the editor shows is what goes into the file.
    if (FrameRozkaz1->ZapiszEdycje() == TFrameRozkaz::TZapis::Odmowa) return;
    WybierzPlik(true, FiltrRozkazow, QStringLiteral("roz"), [this](const QString& plik) {
        std::string blad;
        if (!symulator.ZapiszRozkazy(Sciezka(plik), blad)) Blad(blad);
    });
}

void TFormMain::OtworzPlik(const QString& plik) {
    const QString rozszerzenie = QFileInfo(plik).suffix().toLower();
    // The panel that shows what was loaded comes forward, as a menu command would bring it.
    if (rozszerzenie == QLatin1String("prg")) {
        PokazIPrzycisnij(2);
        OtworzProgram(plik);
    } else if (rozszerzenie == QLatin1String("roz")) {
        PokazIPrzycisnij(3);
        OtworzRozkazy(plik);
    } else if (rozszerzenie == QLatin1String("mas")) {
        PokazIPrzycisnij(1);
        OtworzMaszyne(plik);
    } else {
        Blad("Nie można otworzyć pliku \"" + plik.toStdString() +
             "\": symulator otwiera programy (.prg), zestawy rozkazów (.roz) i pliki maszyny "
             "(.mas).");
    }
}

// ---- the user guide ----

QString TFormMain::SciezkaPodrecznika() const {
    // Installed: <prefix>/bin beside <prefix>/share; in the build tree: app/ beside docs/.
    // The HTML rendering when the build had a tool for it, else the Markdown itself.
    for (const char* sciezka :
         {"/../share/symulator/podrecznik/podrecznik.html",
          "/../share/symulator/podrecznik/podrecznik.md", "/../docs/podrecznik.html"}) {
        const QFileInfo plik(KatalogProgramu + QLatin1String(sciezka));
        if (plik.isFile()) return plik.canonicalFilePath();
    }
    return {};
}

void TFormMain::PokazPodrecznik() {
    const QString plik = SciezkaPodrecznika();
    if (plik.isEmpty())
        return Blad("Nie znaleziono podręcznika użytkownika. Powinien leżeć w katalogu "
                    "share/symulator/podrecznik obok katalogu programu.");
    OtworzAdres(QUrl::fromLocalFile(plik));
}
