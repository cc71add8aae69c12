#include <QApplication>
#include <QTimer>

#include <memory>

#include "TFormMain.h"
#include "TSplashScreen.h"
#include "TSymulator.h"
#include "Wyglad.h"

int main(int argc, char* argv[]) {
    QApplication aplikacja(argc, argv);
    UstawWyglad(aplikacja);

    // The splash first, painted at once, so the user sees something while the windows
    // are created.
    auto splash = std::make_unique<TSplashScreen>();
    splash->show();
    splash->raise();
    splash->repaint();
    QApplication::processEvents();

    TSymulator symulator;
    TFormMain okno(symulator);

    // At least the splash's 500 ms, longer if creation took longer: the window comes from
    // the event loop once the splash's timer has fired, with no loop waiting for it here.
    // The first show completes the set-up; files named on the command line (a double click
    // in a file manager) are opened on top of it, in their order.
    const auto pokazOkno = [&] {
        splash->hide();
        splash.release()->deleteLater();
        okno.show();
        const QStringList pliki = QApplication::arguments().mid(1);
        for (const QString& plik : pliki)
            okno.OtworzPlik(plik);
    };
    if (splash->MozeZamknac())
        QTimer::singleShot(0, &okno, pokazOkno);
    else
        QObject::connect(
            splash->Timer1, &QTimer::timeout, &okno, pokazOkno,
            static_cast<Qt::ConnectionType>(Qt::SingleShotConnection | Qt::QueuedConnection));
    return aplikacja.exec();
}
