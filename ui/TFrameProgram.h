#pragma once
// The program panel: the program editor, the compile command with its message list and
// the names of the interrupt handlers.

#include <string>
#include <vector>

#include "Modalnie.h"
#include "TRamka.h"

class QComboBox;
class QSplitter;
class QTableWidget;
class QToolButton;
class TEdytorKodu;
class TFormCompile;
class TListaKomunikatow;
class TPodswietlanieProgramu;

class TFrameProgram : public TRamka {
    Q_OBJECT
  public:
    explicit TFrameProgram(TSymulator& symulator, QWidget* parent = nullptr);

    // Panel refresh (OdswiezProgram).
    void Odswiez() override { OdswiezProgram(); }
    // The interrupt grid when the machine has interrupts, hidden otherwise.
    void OdswiezProgram();

    // The editor's lines for the program file; a line break at the very end of the text
    // does not make a further empty line.
    std::vector<std::string> LinieProgramu() const;
    // Replaces the whole text at once.
    void UstawLinieProgramu(const std::vector<std::string>& linie);

    // The hidden program selector: the names of the program list, and the choice of one.
    void WypelnijListeProgramow();
    void WybierzProgram();

    QToolButton* SpeedButtonKompiluj;
    QToolButton* SpeedButton2; // "Debug", hidden: the compile-result window
    QComboBox* ComboBoxProgram;
    TEdytorKodu* Memo2;
    QTableWidget* StringGrid_IRQ;
    TListaKomunikatow* ListBox1;
    QWidget* PanelIRQ;
    QWidget* PanelInfo;
    TFormCompile* FormCompile;
    // The compile-result window opens through this (OtworzModalnie by default).
    TWykonajModalnie WykonajModalnie = OtworzModalnie;

  public slots:
    // The compile command (Ctrl+F9 while the panel is in front): assemble, list the
    // messages and the time, reset the machine.
    void SpeedButtonKompilujClick();
    void Kompiluj() { SpeedButtonKompilujClick(); }
    // Opens the compile-result window with what the last assembly left.
    void SpeedButton2Click();

  signals:
    // The machine was reset after a compile: command states and the machine views need
    // a refresh.
    void Skompilowano();

  protected:
    // The instruction names and the interrupts follow the owner; a loaded program text
    // goes into the editor.
    void Zmiana(TZmiana co) override;

  private:
    void IdzDoKomunikatu(const QString& tekst);

    TPodswietlanieProgramu* podswietlanie;
};
