#pragma once
// The main window: the top bar of panel buttons, the eight panels, the status bar, the
// menus with their routing, the enabling rules of the three run modes and the keys.

#include <QHash>
#include <QMainWindow>
#include <QPointer>

#include <array>
#include <functional>
#include <string_view>

#include "Modalnie.h"
#include "SluchaczSymulatora.h"
#include "TLanguages.h"

class QAction;
class QButtonGroup;
class QDialog;
class QFileDialog;
class QFrame;
class QKeyEvent;
class QLabel;
class QMenu;
class QStatusBar;
class QToolButton;
class QUrl;
class TAboutBox;
class TFrameBreakpoints;
class TFrameCPU;
class TFrameDebug;
class TFrameKonsola;
class TFrameMaszyna;
class TFramePamiecMikroprogramu;
class TPrzebiegOkna;
class TFrameProgram;
class TFrameRozkaz;
class TRamka;
class TSymulator;

class TFormMain : public QMainWindow, private TSluchaczSymulatora {
    Q_OBJECT
  public:
    explicit TFormMain(TSymulator& symulator, QWidget* parent = nullptr);
    ~TFormMain() override;

    // Panel n (1..8) in front; nothing when it already is (no refresh). 0 hides all.
    // The top button is not pressed: menu commands press it themselves.
    void PokazPanel(int n);
    // The panel in front, 0 when none.
    int WidocznyPanel() const;
    // Enables and disables commands by TrybPracy (idle, manual, running) and the
    // machine's stop flag; any other mode leaves everything as it is.
    void UstawDostepnosc();
    // "Takt wstecz" and "Rozkaz wstecz": enabled when there is something to undo and no
    // run is in progress.
    void UstawWstecz();
    // 1 Polish, 2 English captions of the menus and top buttons, and Qt's own texts.
    void UstawJezyk(int n);

    // The two status bar panels: 0 the preset name, 1 hints and the current signals.
    QString Status(int panel) const;
    void UstawStatus(int panel, const QString& tekst);
    // A menu item, or a whole menu, by its component name ("Menu_Maszyna_Takt").
    QAction* Akcja(const QString& nazwa) const;
    QToolButton* Przycisk(int panel) const;
    TRamka* Ramka(int panel) const;
    // The Debug button red and bold while the log has news.
    void WyroznijDebug(bool nowosci);

    // The architecture dialog modally; the panels hear of its choice from the owner.
    void PokazArchitekture();
    // The architecture pop-up under the Maszyna button.
    void PokazMenuArchitektury();
    void PokazInformacje();

    // The three file kinds, each with its own filter and default extension.
    void WczytajMaszyne();
    void ZapiszMaszyne();
    void WczytajProgram();
    void ZapiszProgram();
    void WczytajRozkazy();
    void ZapiszRozkazy();
    // A file named on the command line or opened from a file manager, by its extension:
    // ".prg" into the program editor, ".roz" the instruction set, ".mas" the machine.
    void OtworzPlik(const QString& plik);

    // The user guide installed beside the program, or in the build tree; empty when
    // there is none. Searched from KatalogProgramu.
    QString SciezkaPodrecznika() const;
    void PokazPodrecznik();
    // The folder of the running program (tests point it elsewhere).
    QString KatalogProgramu;

    // The outward addresses of the help menu.
    static QString AdresStronyDomowej();
    static QString AdresSprawdzeniaWersji();
    static QString AdresEmail();

    // Every modal box and dialog runs through this (OtworzModalnie by default), so tests
    // can answer it after the box has been built exactly as the user would see it.
    TWykonajModalnie WykonajModalnie;
    // Opens an address with the desktop (QDesktopServices by default); never automatic.
    std::function<void(const QUrl&)> OtworzAdres;

    // The architecture dialog; whoever creates it puts it here.
    QPointer<QDialog> FormArchitektura;
    TAboutBox* AboutBox;

    QFrame* PanelTop;
    QToolButton* SpeedButtonMaszyna;
    QToolButton* SpeedButtonProgram;
    QToolButton* SpeedButtonRozkaz;
    QToolButton* SpeedButtonMikroprogram;
    QToolButton* SpeedButtonCPU;
    QToolButton* SpeedButtonKonsola;
    QToolButton* SpeedButtonDebug;
    QToolButton* SpeedButtonBreakpoints;
    QToolButton* SpeedButtonSimpleMode;
    QLabel* Image1;
    QStatusBar* StatusBar1;
    // At the right end of the second status panel while the microprogram is out of date.
    QLabel* LabelMikroprogram = nullptr;
    QMenu* PopupMenu1;
    QAction* Architektura2;

    // The run loop behind the run buttons of the schematic and the CPU panel.
    TPrzebiegOkna* Przebieg;
    TFrameMaszyna* FrameMaszyna1;
    TFrameProgram* FrameProgram1;
    TFrameRozkaz* FrameRozkaz1;
    TFramePamiecMikroprogramu* FramePamiecMikroprogramu1;
    TFrameCPU* FrameCPU1;
    TFrameKonsola* FrameKonsola1;
    TFrameDebug* FrameDebug1;
    TFrameBreakpoints* FrameBreakpoints1;

  protected:
    bool event(QEvent* zdarzenie) override;
    bool eventFilter(QObject* obiekt, QEvent* zdarzenie) override;
    void showEvent(QShowEvent* zdarzenie) override;
    void closeEvent(QCloseEvent* zdarzenie) override;

  private:
    // From the owner: the preset's name, and the commands' enabling after any change.
    void Zmiana(TZmiana co) override;

    void BudujPasek();
    void BudujPanele();
    void BudujMenu();
    void BudujPasekStanu();
    // First show: sizes, captions, architecture, instruction set, program, panel 1.
    void FormShow();
    // Top button n down, then panel n in front: what every menu command does first.
    void PokazIPrzycisnij(int n);
    void SpeedButtonSimpleModeClick();
    void JezykMenu(int n);
    bool KlawiszWcisniety(const QKeyEvent& klawisz);
    void Blad(const std::string& tekst);
    // A file dialog with the filter and default extension; `dalej` gets the chosen file,
    // nothing happens when cancelled.
    void WybierzPlik(bool zapis, const QString& filtr, const QString& rozszerzenie,
                     std::function<void(const QString& plik)> dalej);
    void OtworzMaszyne(const QString& plik);
    void OtworzProgram(const QString& plik);
    void OtworzRozkazy(const QString& plik);

    TSymulator& symulator;
    QButtonGroup* grupaPaska;
    std::array<QToolButton*, 9> przyciski{}; // by panel number, 1..8
    std::array<TRamka*, 9> ramki{};          // by panel number, 1..8
    QHash<QString, QAction*> akcje;
    QLabel* panelStanu0;
    QLabel* panelStanu1;
    int jezyk = 1;
    bool pokazano = false;
    // The user said Yes to closing: the close that follows is let through.
    bool zamkniecieZatwierdzone = false;
    // Within closeEvent, while the hook is asked (it may answer at once).
    bool pytanieOZamkniecie = false;
    bool debugWyrozniony = false;
    int PozycjaSekwencji = 1;
    // The key press already seen on its way up from a child (key preview sees it once).
    const QEvent* ostatniKlawisz = nullptr;
    QPointer<QWidget> ostatniOdbiorca;
    TTlumaczenieQt tlumaczenieQt;
};
