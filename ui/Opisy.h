#pragma once
// What the parts of the machine are, for the tooltips of the schematic and the CPU panel,
// and the few window texts a beginner is given besides the captions, each in the two
// interface languages.

#include <array>
#include <cstdint>
#include <string_view>

class QString;

// One part of the machine: a register slot (1..29; buses and flags included) or a
// signal (Slot 0, found by its name).
struct TOpis {
    int Slot;
    std::string_view Nazwa;
    std::string_view Polski;
    std::string_view Angielski;
};

// Every slot in slot order, then every signal in signal order.
extern const std::array<TOpis, 29 + 61> Opisy;

// "RZ – rejestr zgłoszeń przerwań": the name and its one line in language 1 or 2; empty
// for a slot or name the table does not know.
QString OpisRejestru(int slot, int jezyk);
QString OpisSygnalu(std::string_view nazwa, int jezyk);

enum class TTekstOkna : std::uint8_t {
    PodpowiedzKonsoli,       // the console's input line while it is empty
    MikroprogramNieaktualny, // the status bar while the instruction list is not compiled
    WczytanoProgram,         // the status bar after a program file was loaded; %1 its name
    PamiecWyczyszczona,      // the status bar after the architecture dialog emptied PaO
};
QString TekstOkna(TTekstOkna tekst, int jezyk);
