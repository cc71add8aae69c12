#pragma once
// Panel 6: the debug log of every machine message and the labels of the last assembly.

#include "TRamka.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

class QPlainTextEdit;
class QSplitter;
class QTimer;
class QToolButton;
class QTreeWidget;

class TFrameDebug : public TRamka {
    Q_OBJECT
  public:
    explicit TFrameDebug(TSymulator& symulator, QWidget* parent = nullptr);

    // The log and the label list as the debug log holds them now.
    void Odswiez() override;
    // A machine message went into the log: shown a moment later while the panel is up,
    // so a run reporting on every tick costs one redraw.
    void DopiszDoLogu();
    // Empties the log; the main window's Debug button returns to normal.
    void WyczyscLog();

    QToolButton* SpeedButtonWyczysc;
    QSplitter* Splitter1;
    QPlainTextEdit* MemoDebug;
    QTreeWidget* ListViewEtykiety;

  public slots:
    void SpeedButtonWyczyscClick() { WyczyscLog(); }

  signals:
    // True when the log received lines since it was last cleared.
    void Nowosci(bool sa);

  protected:
    // The log changed: shown a moment later; a machine message lights the Debug button.
    void Zmiana(TZmiana co) override;
    void Komunikat(std::string_view tekst) override;

  private:
    void OdswiezLog();
    void OdswiezEtykiety();

    QTimer* zegar;
    std::size_t wersja = 0;        // of the log at the last look
    std::size_t pokazaneLinie = 0; // lines of the log in MemoDebug
    std::size_t pokazanePominiete = 0;
    std::vector<std::pair<std::string, std::string>> pokazaneEtykiety;
};
