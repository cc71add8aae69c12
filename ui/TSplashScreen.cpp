#include "TSplashScreen.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QScreen>
#include <QTimer>

#include "TAboutBox.h"
#include "Wersja.h"
#include "Wyglad.h"

TSplashScreen::TSplashScreen(QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint) {
    setObjectName(QStringLiteral("SplashScreen"));
    setFixedSize(276, 72);
    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setPixmap(Obraz());
    Image1->setGeometry(0, 0, 276, 72);
    if (const QScreen* ekran = QGuiApplication::primaryScreen())
        move(ekran->geometry().center() - rect().center());

    // Runs from creation; its first tick only disables it.
    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(CzasMs);
    connect(Timer1, &QTimer::timeout, Timer1, &QTimer::stop);
    Timer1->start();
}

bool TSplashScreen::MozeZamknac() const {
    return !Timer1->isActive();
}

void TSplashScreen::closeEvent(QCloseEvent* zdarzenie) {
    if (MozeZamknac())
        zdarzenie->accept();
    else
        zdarzenie->ignore();
}

QPixmap TSplashScreen::Obraz() {
    QPixmap obraz(276, 72);
    QPainter p(&obraz);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient tlo(0, 0, 0, 72);
    tlo.setColorAt(0, QColor(28, 52, 110));
    tlo.setColorAt(1, QColor(10, 22, 58));
    p.fillRect(obraz.rect(), tlo);
    p.setPen(QColor(255, 255, 255, 90));
    p.drawRect(obraz.rect().adjusted(0, 0, -1, -1));
    p.drawPixmap(12, 16, TAboutBox::IkonaProgramu(40));
    QFont tytul = CzcionkaOgolna();
    tytul.setPixelSize(15);
    tytul.setBold(true);
    p.setFont(tytul);
    p.setPen(Qt::white);
    p.drawText(QRect(62, 10, 208, 36), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextWordWrap,
               QStringLiteral("Symulator komputera dydaktycznego"));
    QFont wersja = CzcionkaOgolna();
    wersja.setPixelSize(11);
    p.setFont(wersja);
    p.setPen(QColor(190, 205, 240));
    p.drawText(QRect(62, 48, 208, 16), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("Wersja ") + QString::fromLatin1(WersjaProgramu));
    return obraz;
}
