#pragma once
// The captions of the main window's menus and top buttons in the two interface
// languages, and Qt's own texts (standard buttons and dialogs) following them.
// Everything else (panels, the program's dialogs, messages, files) stays Polish.

#include <array>
#include <functional>
#include <memory>
#include <string_view>

class QString;
class QTranslator;

struct TNapis {
    std::string_view Skladnik;  // object name of the menu item or button
    std::string_view Polski;    // language 1
    std::string_view Angielski; // language 2
};

// In the order the captions are applied.
inline constexpr std::array<TNapis, 70> Napisy = {{
    {"Menu_Symulator", "&Symulator", "&Simulator"},
    {"Menu_Symulator_Wczytaj", "&Wczytaj...", "&Load..."},
    {"Menu_Symulator_Zapisz", "&Zapisz...", "&Save..."},
    {"Menu_Symulator_Architektura", "&Architektura", "&Architecture"},
    {"Menu_Jezyk", "&Język", "&Language"},
    {"Menu_Polski", "&Polski", "&Polish"},
    {"Menu_Angielski", "Angi&elski", "&English"},
    {"Menu_Symulator_Zakoncz", "Za&kończ", "E&xit"},
    {"Menu_Maszyna", "&Maszyna", "&Maszyna"},
    {"Menu_Maszyna_PokazPanel", "Pokaż panel", "Show frame"},
    {"Menu_Maszyna_Wczytaj", "&Wczytaj...", "&Load..."},
    {"Menu_Maszyna_Zapisz", "&Zapisz...", "&Save..."},
    {"Menu_Maszyna_Recznie", "&Ręcznie", "Manually"},
    {"Menu_Maszyna_Takt", "Takt", "Takt"},
    {"Menu_Maszyna_Rozkaz", "Rozkaz", "Rozkaz"},
    {"Menu_Maszyna_TaktWstecz", "Takt wstecz", "Tick back"},
    {"Menu_Maszyna_RozkazWstecz", "Rozkaz wstecz", "Instruction back"},
    {"Menu_Maszyna_Program", "Program", "Program"},
    {"Menu_Maszyna_Reset", "Reset", "Reset"},
    {"Menu_Maszyna_Stop", "Stop", "Stop"},
    {"Menu_Program", "&Program", "&Program"},
    {"Menu_Program_PokazPanel", "Pokaż panel", "Show frame"},
    {"Menu_Program_Wczytaj", "&Wczytaj...", "&Load..."},
    {"Menu_Program_Zapisz", "&Zapisz...", "&Save..."},
    {"Menu_Program_Kompiluj", "Kompiluj", "Compile"},
    {"Menu_Rozkazy", "&Rozkazy", "&Rozkazy"},
    {"Menu_Rozkazy_PokazPanel", "Pokaż panel", "Show frame"},
    {"Menu_Rozkazy_Wczytaj", "&Wczytaj...", "&Load..."},
    {"Menu_Rozkazy_Zapisz", "&Zapisz...", "&Save..."},
    {"Menu_Rozkazy_Kompiluj", "Kompiluj", "Compile"},
    {"Menu_Rozkazy_Dodaj", "Dodaj", "Add"},
    {"Menu_Rozkazy_Usun", "Usuń", "Remove"},
    {"Menu_Rozkazy_UsunWszystkie", "Usuń wszystkie rozkazy", "Remove all"},
    {"Menu_Rozkazy_UstawStandardowe", "Ustaw standardowe rozkazy", "Ustaw standardowe rozkazy"},
    {"Menu_Mikroprogram", "Pamięć mikroprogramu", "Microprogram"},
    {"Menu_Mikroprogram_PokazPanel", "Pokaż panel", "Show frame"},
    {"Menu_Mikroprogram_PokazWszystkie", "Pokaż wszystkie", "Show all rows"},
    {"Menu_Mikroprogram_UkryjPuste", "Ukryj puste wiersze", "Hide empty rows"},
    {"Menu_CPU", "JAL", "CPU"},
    {"Menu_CPU_PokazPanel", "Pokaż panel", "Show frame"},
    {"Menu_CPU_Takt", "Takt", "Takt"},
    {"Menu_CPU_Rozkaz", "Rozkaz", "Rozkaz"},
    {"Menu_CPU_Program", "Program", "Program"},
    {"Menu_CPU_Reset", "Reset", "Reset"},
    {"Menu_CPU_Stop", "Stop", "Stop"},
    {"Menu_Konsola", "Konsola", "Console"},
    {"Menu_Konsola_PokazPanel", "Pokaż panel", "Show frame"},
    {"Menu_Konsola_Wyczysc", "Wyczyść", "Clear"},
    {"Menu_Debug", "Debug", "Debug"},
    {"Menu_Debug_PokazPanel", "Pokaż panel", "Show frame"},
    {"Menu_Debug_Wyczysc", "Wyczyść", "Clear"},
    {"Menu_Breakpoints", "Punkty zatrzymania", "Breakpoints"},
    {"Menu_Breakpoints_PokazPanel", "Pokaż panel", "Show frame"},
    {"Menu_Breakpoints_Dodaj", "Dodaj", "Add"},
    {"Menu_Breakpoints_Usun", "Usuń", "Remove"},
    {"Menu_Pomoc", "Pomo&c", "&Help"},
    {"Menu_Pomoc_TematyPomocy", "Tematy pomocy", "Tematy pomocy"},
    {"Menu_Pomoc_StronaDomowa", "Strona domowa", "Homepage"},
    {"Menu_Pomoc_SprawdzenieWersjiProgramu", "Sprawdzenie wersji programu", "Check version"},
    {"Menu_Pomoc_Email", "Wyślij email do autora", "Wyślij email do autora"},
    {"Menu_Pomoc_Podrecznik", "&Podręcznik", "&Manual"},
    {"Menu_Pomoc_Informacje", "I&nformacje", "About..."},
    {"SpeedButtonMaszyna", "Maszyna", "Maszyna"},
    {"SpeedButtonProgram", "Program", "Program"},
    {"SpeedButtonRozkaz", "Rozkaz", "Rozkaz"},
    {"SpeedButtonMikroprogram", "Mikroprogram", "Microprogram"},
    {"SpeedButtonCPU", "JAL", "CPU"},
    {"SpeedButtonKonsola", "Konsola", "Console"},
    {"SpeedButtonDebug", "Debug", "Debug"},
    {"SpeedButtonBreakpoints", "Punkty zatrzymania", "Breakpoints"},
}};

inline constexpr int JezykPolski = 1;
inline constexpr int JezykAngielski = 2;

// The caption of `skladnik` in language 1 or 2; empty for an unknown component or language.
std::string_view Napis(std::string_view skladnik, int jezyk);

// Hands each caption of language 1 or 2 to `przypisz` together with its component's
// name, in table order; any other number does nothing. The window assigns them to its
// own components and leaves enabled, visible and checked states as they are.
void UstawJezyk(
    int jezyk,
    const std::function<void(std::string_view skladnik, const QString& napis)>& przypisz);

// Qt's own texts in the interface language: Polish installs Qt's Polish translation
// (package qt6-translations-l10n), English removes it. A missing translation is said once
// on standard error and leaves Qt's English texts.
class TTlumaczenieQt {
  public:
    TTlumaczenieQt();
    ~TTlumaczenieQt();
    TTlumaczenieQt(const TTlumaczenieQt&) = delete;
    TTlumaczenieQt& operator=(const TTlumaczenieQt&) = delete;

    // 1 or 2; any other number does nothing.
    void Ustaw(int jezyk);

  private:
    std::unique_ptr<QTranslator> polskie; // null until first asked for
    bool zainstalowane = false;
    bool brakZgloszony = false;
};
