#pragma once
// The borderless window shown while the windows are created. It may close only once its
// 500 ms timer has fired, so it stays at least that long even when start-up is instant.

#include <QWidget>

class QLabel;
class QTimer;

class TSplashScreen : public QWidget {
    Q_OBJECT
  public:
    static constexpr int CzasMs = 500;

    explicit TSplashScreen(QWidget* parent = nullptr);

    // The close query of the start-up loop.
    bool MozeZamknac() const;

    QLabel* Image1;
    QTimer* Timer1;

  protected:
    void closeEvent(QCloseEvent* zdarzenie) override;

  private:
    static QPixmap Obraz();
};
