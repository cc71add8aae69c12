#include <QApplication>
#include <QTest>

#include <vector>

#include "TestyUi.h"
#include "Wyglad.h"

// `testy_ui [TestClass] [Qt Test options and functions]`: with a class name only that
// class runs and the rest of the arguments go to it.
int main(int argc, char* argv[]) {
    QApplication aplikacja(argc, argv);
    aplikacja.setQuitOnLastWindowClosed(false);
    // What the window's main sets, so that the tests see the window a user sees.
    UstawWyglad(aplikacja);
    std::vector<std::unique_ptr<QObject>> klasy;
    for (auto fabryka : {TestyOknaGlownego, TestyPaneliEdycji, TestySchematu, TestyPaneliMaszyny})
        klasy.push_back(fabryka());
    int wynik = 0;
    for (const auto& testy : klasy) {
        if (argc > 1 && QLatin1String(argv[1]) == QLatin1String(testy->metaObject()->className())) {
            std::vector<char*> argumenty{argv[0]};
            argumenty.insert(argumenty.end(), argv + 2, argv + argc);
            return QTest::qExec(testy.get(), static_cast<int>(argumenty.size()), argumenty.data());
        }
    }
    for (const auto& testy : klasy)
        wynik |= QTest::qExec(testy.get(), argc, argv);
    return wynik;
}
