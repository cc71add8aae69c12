#include "Sygnaly.h"

namespace {

// The steps of each signal as bits, and the steps of the signals with each need: all
// computed from the table at compile time, so decoding and ticks only read them.
constexpr std::array<std::uint64_t, LiczbaSygnalow + 1> BudujMaskiKrokow() {
    std::array<std::uint64_t, LiczbaSygnalow + 1> m{};
    for (const TOpisSygnalu& s : TablicaSygnalow)
        for (std::int8_t krok : {s.Krok, s.DrugiKrok})
            if (krok >= 0) m[static_cast<std::size_t>(s.Numer)] |= std::uint64_t{1} << krok;
    return m;
}
constexpr auto MaskaKrokow = BudujMaskiKrokow();

constexpr std::uint64_t Kroki(TWymaganie w) {
    std::uint64_t m = 0;
    for (const TOpisSygnalu& s : TablicaSygnalow)
        if (s.Wymaga == w) m |= MaskaKrokow[static_cast<std::size_t>(s.Numer)];
    return m;
}

using enum TSygnal;
constexpr std::uint64_t WystawiajaA = Kroki(TWymaganie::JedynyNaA);
constexpr std::uint64_t WystawiajaS = Kroki(TWymaganie::JedynyNaS);
constexpr std::uint64_t CzytajaA = Kroki(TWymaganie::NadawcaA);
constexpr std::uint64_t CzytajaS = Kroki(TWymaganie::NadawcaS);
constexpr std::uint64_t Polaczenia = Kroki(TWymaganie::Sprawdzenie);
constexpr std::uint64_t OperacjeJal = Kroki(TWymaganie::Weja);
constexpr std::uint64_t CzytajaWynikJal = Kroki(TWymaganie::OperacjaJal);

constexpr bool NajwyzejJeden(std::uint64_t m) {
    return (m & (m - 1)) == 0;
}

// Every driver comes before every reader in the order of execution.
constexpr bool ObliczBezKomunikatow(std::uint64_t kroki) {
    return (kroki & Polaczenia) == 0 && NajwyzejJeden(kroki & WystawiajaA) &&
           NajwyzejJeden(kroki & WystawiajaS) && (!(kroki & CzytajaA) || (kroki & WystawiajaA)) &&
           (!(kroki & CzytajaS) || (kroki & WystawiajaS)) &&
           (!(kroki & OperacjeJal) || (kroki & MaskaKrokow[static_cast<std::size_t>(weja)])) &&
           (!(kroki & CzytajaWynikJal) || (kroki & OperacjeJal));
}

} // namespace

void TZestawSygnalow::Dodaj(int numer) {
    if (numer < 1 || numer > LiczbaSygnalow) return;
    kroki |= MaskaKrokow[static_cast<std::size_t>(numer)];
    bezKomunikatow = ObliczBezKomunikatow(kroki);
}

std::array<bool, LiczbaSygnalow + 1> TZestawSygnalow::Zawiera() const {
    std::array<bool, LiczbaSygnalow + 1> w{};
    for (int s = 1; s <= LiczbaSygnalow; ++s)
        w[static_cast<std::size_t>(s)] = (kroki & MaskaKrokow[static_cast<std::size_t>(s)]) != 0;
    return w;
}

int NumerSygnalu(std::string_view slowo) {
    if (slowo.empty()) return 0;
    for (int i = 1; i <= LiczbaSygnalow; ++i)
        if (NazwySygnalow[static_cast<std::size_t>(i)] == slowo) return i;
    return 0;
}

std::string NazwaSygnalu(int numer) {
    if (numer < 1 || numer > LiczbaSygnalow) return "???";
    return std::string(NazwySygnalow[static_cast<std::size_t>(numer)]);
}

// Only the blank separates words: a tab belongs to the word it stands in.
std::vector<std::string_view> SlowaMikrorozkazu(std::string_view tekst) {
    std::vector<std::string_view> slowa;
    std::size_t i = 0;
    while (i < tekst.size()) {
        while (i < tekst.size() && tekst[i] == ' ')
            ++i;
        std::size_t p = i;
        while (i < tekst.size() && tekst[i] != ' ')
            ++i;
        if (i > p) slowa.push_back(tekst.substr(p, i - p));
    }
    return slowa;
}

TZestawSygnalow DekodujMikrorozkaz(std::string_view tekst) {
    TZestawSygnalow z;
    for (auto slowo : SlowaMikrorozkazu(tekst))
        z.Dodaj(NumerSygnalu(slowo));
    return z;
}

bool SlowoWTekscie(std::string_view tekst, std::string_view nazwa) {
    std::string t = " ";
    t.append(tekst).append(" ");
    std::string n = " ";
    n.append(nazwa).append(" ");
    return t.find(n) != std::string::npos;
}
