#include <QApplication>

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

    // At least the splash's 500 ms, longer if creation took longer.
    while (!splash->MozeZamknac())
        QApplication::processEvents(QEventLoop::WaitForMoreEvents);
    splash->hide();
    splash.reset();

    // The first show completes the set-up; files named on the command line (a double click
    // in a file manager) are opened on top of it, in their order.
    okno.show();
    const QStringList pliki = QApplication::arguments().mid(1);
    for (const QString& plik : pliki)
        okno.OtworzPlik(plik);
    return aplikacja.exec();
}
