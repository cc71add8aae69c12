#pragma once
// The instruction editor: the instruction list, one instruction's fields and
// microprogram, the microprogram compile and its messages.

#include <functional>

#include "Modalnie.h"
#include "TRamka.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QToolButton;
class QTreeWidget;
class TEdytorKodu;
class TFormMikroProgram;
class TListaKomunikatow;
class TPodswietlanieMikroprogramu;

// The two kinds of box this panel shows: "Informacja" (OK) and "Pytanie" (Yes / No, No
// the default).
enum class TOkno { Informacja, Pytanie };

class TFrameRozkaz : public TRamka {
    Q_OBJECT
  public:
    explicit TFrameRozkaz(TSymulator& symulator, QWidget* parent = nullptr);

    // Panel refresh: the list, then the current instruction (or the first).
    void Odswiez() override;
    void OdswiezListe();
    // Shows instruction i; outside 1..Count the fields are emptied.
    void WyswietlRozkaz(int i);

    enum class TZapis { Zapisano, BrakRekordu, Odmowa };
    // Stores the edited fields into the instruction being edited, its name made unique.
    // Refused, with a message and nothing changed, while a drop-down list has no choice.
    TZapis ZapiszEdycje();

    int Pozycja() const { return pozycja; }

    // The microprogram memory does not match the instruction list, counting the edits
    // on show that are not stored yet. "Kompiluj" is highlighted while it is so.
    bool MikroprogramNieaktualny() const;

    // Shows a box through WykonajModalnie; `koniec`, when given, gets false only for a
    // "No" answer. Tests put their own here.
    std::function<void(TOkno rodzaj, const QString& tekst, std::function<void(bool)> koniec)>
        PokazOkno;
    // The boxes and the compile trace window open through this (OtworzModalnie by default).
    TWykonajModalnie WykonajModalnie = OtworzModalnie;

    QToolButton* SpeedButtonKompiluj;
    QToolButton* SpeedButtonDodaj;
    QToolButton* SpeedButtonUsun;
    QToolButton* SpeedButton5; // "Debug", hidden: the compile trace window
    QLabel* Label_Info;
    QLabel* Label1_; // its text is the key by which edits find their record
    TEdytorKodu* Memo1;
    QLineEdit* EditNazwa;
    QComboBox* ComboBoxKod;
    QComboBox* ComboBoxLiczbaArgumentow;
    QLineEdit* EditOpis;
    QTreeWidget* ListViewRozkaz;
    TListaKomunikatow* ListBox1;
    TFormMikroProgram* FormMikroProgram;

  signals:
    // Whether the microprogram is out of date may have changed.
    void StanMikroprogramu(bool nieaktualny);

  public slots:
    void SpeedButtonKompilujClick();
    void SpeedButtonDodajClick();
    void SpeedButtonUsunClick();
    void SpeedButton5Click();

  protected:
    bool eventFilter(QObject* obiekt, QEvent* zdarzenie) override;
    // A list or an architecture changed elsewhere: the panel shows it anew. Every
    // compilation's messages are appended to the message list.
    void Zmiana(TZmiana co) override;

  private:
    int ZnajdzEdytowany() const;
    bool EdycjaNiezapisana() const;
    void OdswiezStanMikroprogramu();
    bool WyboryKompletne();
    void ZapiszRekord(int i);
    void WybranoWiersz();
    void IdzDoKomunikatu(const QString& tekst);
    void ZaznaczWMikroprogramie(const QString& wzor);

    int pozycja = 1;
    bool przebudowa = false;
    bool zapisywanie = false;
    bool wyswietlanie = false;
    bool kompilujWyrozniony = false;
    // The panel's own change of the list is on show already.
    bool wlasnaZmiana = false;
    TPodswietlanieMikroprogramu* podswietlanie;
};
