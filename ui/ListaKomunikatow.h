#pragma once
// The compile message list of the program and instruction panels: items 17 pixels high,
// the text 20 pixels from the left, the first item marked with image 1 and the last with
// image 0 (a single item with image 0).

#include <QListWidget>
#include <QPixmap>

class TListaKomunikatow : public QListWidget {
    Q_OBJECT
  public:
    static constexpr int WysokoscWiersza = 17;

    explicit TListaKomunikatow(QWidget* parent = nullptr);

    void Dodaj(const QString& tekst);
    QStringList Teksty() const;

    // The two images of the main window's image list the messages carry: 0 the end of a
    // compile (a clock: the time line), 1 its start.
    static QPixmap Obraz(int numer);

  signals:
    // A message was double-clicked (or Enter pressed on it).
    void KomunikatWybrany(const QString& tekst);
};
