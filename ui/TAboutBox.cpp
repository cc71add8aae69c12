#include "TAboutBox.h"

#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QScreen>

#include "Wersja.h"
#include "Wyglad.h"

namespace {
QLabel* Etykieta(QWidget* rodzic, const char* nazwa, const QString& tekst, int x, int y) {
    auto* e = new QLabel(tekst, rodzic);
    e->setObjectName(QString::fromLatin1(nazwa));
    e->move(x, y);
    e->adjustSize();
    return e;
}
} // namespace

TAboutBox::TAboutBox(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("AboutBox"));
    setWindowTitle(QStringLiteral("Informacje"));
    setFixedSize(342, 213);

    Panel1 = new QFrame(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setGeometry(8, 8, 329, 161);
    Panel1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Panel1->setLineWidth(1);
    Panel1->setMidLineWidth(1);

    ProgramIcon = new QLabel(Panel1);
    ProgramIcon->setObjectName(QStringLiteral("ProgramIcon"));
    ProgramIcon->setGeometry(16, 16, 32, 32);
    ProgramIcon->setPixmap(IkonaProgramu(32));

    ProductName = Etykieta(Panel1, "ProductName",
                           QStringLiteral("Symulator komputera dydaktycznego"), 64, 16);
    QFont pogrubiona = ProductName->font();
    pogrubiona.setBold(true);
    ProductName->setFont(pogrubiona);
    ProductName->adjustSize();
    Version = Etykieta(Panel1, "Version",
                       QStringLiteral("Wersja ") + QString::fromLatin1(WersjaProgramu), 64, 40);

    Label2 = Etykieta(Panel1, "Label2", QStringLiteral("Praca dyplomowa inżynierska"), 8, 96);
    Label2->setGeometry(8, 96, 177, Label2->height());
    Label2->setAlignment(Qt::AlignHCenter);
    Label1 = Etykieta(Panel1, "Label1", QStringLiteral("Autor: zespół autorów symulatora"), 8, 120);
    Label1->setGeometry(8, 120, 177, Label1->height());
    Label1->setAlignment(Qt::AlignHCenter);
    Label1->setWordWrap(true);
    Label1->setFixedHeight(2 * Label1->fontMetrics().height());

    Image1 = new QLabel(Panel1);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(192, 80, 130, 75);
    Image1->setPixmap(Obraz());

    OKButton = new QPushButton(QStringLiteral("OK"), this);
    OKButton->setObjectName(QStringLiteral("OKButton"));
    OKButton->setGeometry(134, 180, 75, 25);
    OKButton->setDefault(true);
    connect(OKButton, &QPushButton::clicked, this, &QDialog::accept);
}

void TAboutBox::Wysrodkuj() {
    if (const QScreen* ekran = QGuiApplication::primaryScreen()) {
        QRect r = frameGeometry();
        r.moveCenter(ekran->geometry().center());
        move(r.topLeft());
    }
}

QPixmap TAboutBox::IkonaProgramu(int rozmiar) {
    QPixmap ikona(rozmiar, rozmiar);
    ikona.fill(Qt::transparent);
    QPainter p(&ikona);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(rozmiar / 32.0, rozmiar / 32.0);
    // A chip with its pins: the processor the program simulates.
    p.setPen(QPen(QColor(200, 200, 200), 1.5));
    for (int i = 0; i < 4; ++i) {
        const double d = 9.5 + 4.5 * i;
        p.drawLine(QPointF(d, 2), QPointF(d, 6));
        p.drawLine(QPointF(d, 26), QPointF(d, 30));
        p.drawLine(QPointF(2, d), QPointF(6, d));
        p.drawLine(QPointF(26, d), QPointF(30, d));
    }
    p.setPen(QPen(QColor(20, 20, 20), 1));
    p.setBrush(QColor(45, 90, 170));
    p.drawRoundedRect(QRectF(6, 6, 20, 20), 2.5, 2.5);
    p.setPen(Qt::white);
    QFont f = CzcionkaOgolna();
    f.setPixelSize(9);
    f.setBold(true);
    p.setFont(f);
    p.drawText(QRectF(6, 6, 20, 20), Qt::AlignCenter, QStringLiteral("K"));
    return ikona;
}

QPixmap TAboutBox::Obraz() {
    // A little block diagram: two registers on a bus.
    QPixmap obraz(130, 75);
    obraz.fill(QColor(236, 236, 236));
    QPainter p(&obraz);
    p.setPen(Qt::black);
    p.setBrush(QColor(212, 208, 200));
    p.drawRect(10, 8, 44, 16);
    p.drawRect(76, 8, 44, 16);
    p.setBrush(Qt::red);
    p.drawRect(4, 50, 122, 4);
    p.setPen(QPen(Qt::red, 2));
    p.drawLine(32, 24, 32, 50);
    p.setPen(QPen(Qt::black, 1));
    p.drawLine(98, 24, 98, 50);
    QFont f = CzcionkaOgolna();
    f.setPixelSize(9);
    p.setFont(f);
    p.drawText(QRect(10, 8, 44, 16), Qt::AlignCenter, QStringLiteral("AK"));
    p.drawText(QRect(76, 8, 44, 16), Qt::AlignCenter, QStringLiteral("L"));
    p.drawText(QRect(36, 30, 40, 12), Qt::AlignLeft, QStringLiteral("wyak"));
    p.drawText(QRect(4, 58, 122, 14), Qt::AlignCenter, QStringLiteral("magistrala S"));
    return obraz;
}
