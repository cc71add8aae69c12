#pragma once
// The "Informacje" dialog: product name, version, the thesis line and the author.

#include <QDialog>

class QFrame;
class QLabel;
class QPushButton;

class TAboutBox : public QDialog {
    Q_OBJECT
  public:
    explicit TAboutBox(QWidget* parent = nullptr);

    // Centres the box on the screen, whatever its last position.
    void Wysrodkuj();

    // The program's icon, drawn so that it needs no image file.
    static QPixmap IkonaProgramu(int rozmiar);

    QFrame* Panel1;
    QLabel* ProgramIcon;
    QLabel* ProductName;
    QLabel* Version;
    QLabel* Label1;
    QLabel* Label2;
    QLabel* Image1;
    QPushButton* OKButton;

  private:
    static QPixmap Obraz();
};
