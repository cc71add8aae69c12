#include "Opisy.h"

#include <QString>

#include "TLanguages.h"

namespace {

QString Q(std::string_view s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

QString Opis(const TOpis& o, int jezyk) {
    if (jezyk != JezykPolski && jezyk != JezykAngielski) return {};
    return Q(o.Nazwa) + QStringLiteral(" – ") + Q(jezyk == JezykPolski ? o.Polski : o.Angielski);
}

struct TTekst {
    std::string_view Polski;
    std::string_view Angielski;
};
constexpr std::array<TTekst, 4> TekstyOkna = {{
    {"Wpisane tu znaki odczytuje urządzenie wejściowe (sygnał start)",
     "Characters typed here are read by the input device (signal start)"},
    {"Mikroprogram nieaktualny – Rozkazy › Kompiluj",
     "Microprogram out of date – Rozkazy › Compile"},
    {"Wczytano program %1 – skompiluj go (Ctrl+F9)", "Program %1 loaded – compile it (Ctrl+F9)"},
    {"Pamięć wyczyszczona po zmianie architektury", "Memory cleared after the architecture change"},
}};

} // namespace

const std::array<TOpis, 29 + 61> Opisy = {{
    {1, "L", "licznik rozkazów: adres następnego rozkazu",
     "instruction counter: address of the next instruction"},
    {2, "X", "rejestr ogólnego przeznaczenia X", "general-purpose register X"},
    {3, "Y", "rejestr ogólnego przeznaczenia Y", "general-purpose register Y"},
    {4, "Z", "rejestr ogólnego przeznaczenia Z", "general-purpose register Z"},
    {5, "RB_we", "bufor urządzenia wyjściowego, ładowany z magistrali S",
     "output device buffer, loaded from bus S"},
    {6, "RB_wy", "bufor urządzenia wejściowego, wysyłany na magistralę S",
     "input device buffer, put on bus S"},
    {7, "G", "flaga gotowości urządzenia, ustawiana przez start",
     "device ready flag, set by start"},
    {8, "RZ", "rejestr zgłoszeń przerwań", "interrupt request register"},
    {9, "RM", "rejestr masek przerwań", "interrupt mask register"},
    {10, "RP", "rejestr przerwań: przyjęte zgłoszenie", "interrupt register: the accepted request"},
    {11, "AP", "adres procedury obsługi przyjętego przerwania",
     "address of the accepted interrupt's handler"},
    {12, "A", "rejestr adresowy pamięci PaO", "memory address register of PaO"},
    {13, "S", "rejestr słowa pamięci PaO", "memory data register of PaO"},
    {14, "KOD", "część kodu rejestru rozkazów I", "code part of the instruction register I"},
    {15, "AD", "część adresowa rejestru rozkazów I", "address part of the instruction register I"},
    {16, "Magistrala A", "magistrala adresowa, przenosi wartość w obrębie jednego taktu",
     "address bus, carries a value within one tick"},
    {17, "Magistrala S", "magistrala słowowa, przenosi wartość w obrębie jednego taktu",
     "word bus, carries a value within one tick"},
    {18, "AK", "akumulator: wynik jednostki arytmetyczno-logicznej JAL",
     "accumulator: the result of the arithmetic-logic unit JAL"},
    {19, "JAL_in", "wejście jednostki arytmetyczno-logicznej",
     "input of the arithmetic-logic unit"},
    {20, "JAL_out", "wynik jednostki arytmetyczno-logicznej",
     "result of the arithmetic-logic unit"},
    {21, "N", "flaga przepełnienia", "overflow flag"},
    {22, "NP", "przepełnienie ponad największą wartość", "overflow past the largest value"},
    {23, "NM", "przepełnienie poniżej zera", "overflow below zero"},
    {24, "Z", "znak: najstarszy bit AK", "sign: the top bit of AK"},
    {25, "INT", "1, gdy przyjęto przerwanie (RP różny od 0)",
     "1 while an interrupt is accepted (RP not 0)"},
    {26, "PAK", "1, gdy AK jest parzysty", "1 when AK is even"},
    {27, "ZAK", "1, gdy AK jest równy 0", "1 when AK is 0"},
    {28, "U", "rejestr adresowy ogólnego przeznaczenia U", "general address register U"},
    {29, "V", "rejestr adresowy ogólnego przeznaczenia V", "general address register V"},

    {0, "wel", "zapis magistrali adresowej do licznika rozkazów L",
     "load bus A into the instruction counter L"},
    {0, "wyl", "wysłanie L na magistralę adresową", "put L on bus A"},
    {0, "il", "zwiększenie L o 1", "increment L by 1"},
    {0, "dl", "zmniejszenie L o 1", "decrement L by 1"},
    {0, "wyls", "wysłanie L na magistralę słowową", "put L on bus S"},
    {0, "wex", "zapis magistrali słowowej do rejestru X", "load bus S into register X"},
    {0, "wyx", "wysłanie X na magistralę słowową", "put X on bus S"},
    {0, "ix", "zwiększenie X o 1", "increment X by 1"},
    {0, "dx", "zmniejszenie X o 1", "decrement X by 1"},
    {0, "wey", "zapis magistrali słowowej do rejestru Y", "load bus S into register Y"},
    {0, "wyy", "wysłanie Y na magistralę słowową", "put Y on bus S"},
    {0, "iy", "zwiększenie Y o 1", "increment Y by 1"},
    {0, "dy", "zmniejszenie Y o 1", "decrement Y by 1"},
    {0, "wez", "zapis magistrali słowowej do rejestru Z", "load bus S into register Z"},
    {0, "wyz", "wysłanie Z na magistralę słowową", "put Z on bus S"},
    {0, "iz", "zwiększenie Z o 1", "increment Z by 1"},
    {0, "dz", "zmniejszenie Z o 1", "decrement Z by 1"},
    {0, "wei", "zapis magistrali słowowej do rejestru rozkazów I (KOD i AD)",
     "load bus S into the instruction register I (KOD and AD)"},
    {0, "wyad", "wysłanie części adresowej AD na magistralę adresową",
     "put the address part AD on bus A"},
    {0, "czyt", "odczyt komórki PaO o adresie A do rejestru S",
     "read the PaO cell at address A into S"},
    {0, "pisz", "zapis rejestru S do komórki PaO o adresie A",
     "write S into the PaO cell at address A"},
    {0, "wea", "zapis magistrali adresowej do rejestru A", "load bus A into register A"},
    {0, "wes", "zapis magistrali słowowej do rejestru S", "load bus S into register S"},
    {0, "wys", "wysłanie S na magistralę słowową", "put S on bus S"},
    {0, "werb", "zapis magistrali słowowej do bufora wyjściowego RB_we",
     "load bus S into the output buffer RB_we"},
    {0, "wyrb", "wysłanie bufora wejściowego RB_wy na magistralę słowową",
     "put the input buffer RB_wy on bus S"},
    {0, "weja", "zapis magistrali słowowej na wejście JAL", "load bus S into the input of JAL"},
    {0, "weak", "zapis wyniku JAL do akumulatora AK", "load the result of JAL into AK"},
    {0, "wyak", "wysłanie AK na magistralę słowową", "put AK on bus S"},
    {0, "iak", "zwiększenie AK o 1 (ustawia N, NP, NM)", "increment AK by 1 (sets N, NP, NM)"},
    {0, "dak", "zmniejszenie AK o 1 (ustawia N, NP, NM)", "decrement AK by 1 (sets N, NP, NM)"},
    {0, "dod", "JAL: AK + wejście (ustawia N, NP, NM)", "JAL: AK + input (sets N, NP, NM)"},
    {0, "ode", "JAL: AK − wejście (ustawia N, NP, NM)", "JAL: AK − input (sets N, NP, NM)"},
    {0, "przep", "JAL: przepisanie wejścia na wynik", "JAL: pass the input to the result"},
    {0, "shl", "JAL: wejście przesunięte w lewo o 1 bit", "JAL: the input shifted left by one bit"},
    {0, "shr", "JAL: wejście przesunięte w prawo o 1 bit",
     "JAL: the input shifted right by one bit"},
    {0, "and", "JAL: iloczyn bitowy AK i wejścia", "JAL: bitwise AND of AK and the input"},
    {0, "or", "JAL: suma bitowa AK i wejścia", "JAL: bitwise OR of AK and the input"},
    {0, "not", "JAL: negacja bitowa wejścia", "JAL: bitwise NOT of the input"},
    {0, "xor", "JAL: różnica symetryczna AK i wejścia", "JAL: bitwise XOR of AK and the input"},
    {0, "mnoz", "JAL: AK × wejście", "JAL: AK × input"},
    {0, "dziel", "JAL: AK div wejście; dzielenie przez 0 zgłasza przerwanie 1",
     "JAL: AK div input; division by 0 requests interrupt 1"},
    {0, "wyg", "wysłanie flagi G na magistralę słowową", "put the flag G on bus S"},
    {0, "start", "jedna wymiana z urządzeniem o adresie AD",
     "one transfer with the device addressed by AD"},
    {0, "werm", "zapis magistrali adresowej do rejestru masek RM",
     "load bus A into the mask register RM"},
    {0, "wyrm", "wysłanie RM na magistralę adresową", "put RM on bus A"},
    {0, "wyap", "wysłanie adresu przerwania AP na magistralę adresową",
     "put the interrupt address AP on bus A"},
    {0, "eni", "przyjęcie najważniejszego niezamaskowanego zgłoszenia (RP, AP)",
     "accept the highest unmasked interrupt request (RP, AP)"},
    {0, "rint", "skasowanie obsłużonego zgłoszenia w RZ i RP",
     "clear the served request from RZ and RP"},
    {0, "assa", "połączenie magistral: pusta przejmuje wartość drugiej",
     "join the buses: the empty one takes the other's value"},
    {0, "as", "przepisanie magistrali adresowej na słowową", "copy bus A onto bus S"},
    {0, "sa", "przepisanie magistrali słowowej na adresową", "copy bus S onto bus A"},
    {0, "weu", "zapis magistrali adresowej do rejestru U", "load bus A into register U"},
    {0, "wyu", "wysłanie U na magistralę adresową", "put U on bus A"},
    {0, "iu", "zwiększenie U o 1", "increment U by 1"},
    {0, "du", "zmniejszenie U o 1", "decrement U by 1"},
    {0, "wev", "zapis magistrali adresowej do rejestru V", "load bus A into register V"},
    {0, "wyv", "wysłanie V na magistralę adresową", "put V on bus A"},
    {0, "iv", "zwiększenie V o 1", "increment V by 1"},
    {0, "dv", "zmniejszenie V o 1", "decrement V by 1"},
    {0, "stp", "zatrzymanie maszyny", "halt the machine"},
}};

QString OpisRejestru(int slot, int jezyk) {
    if (slot < 1 || slot > 29) return {};
    return Opis(Opisy[static_cast<std::size_t>(slot - 1)], jezyk);
}

QString OpisSygnalu(std::string_view nazwa, int jezyk) {
    for (std::size_t i = 29; i < Opisy.size(); ++i)
        if (Opisy[i].Nazwa == nazwa) return Opis(Opisy[i], jezyk);
    return {};
}

QString TekstOkna(TTekstOkna tekst, int jezyk) {
    const TTekst& t = TekstyOkna[static_cast<std::size_t>(tekst)];
    return Q(jezyk == JezykAngielski ? t.Angielski : t.Polski);
}
