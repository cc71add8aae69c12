#include "Sygnaly.h"

#include <initializer_list>

namespace {

constexpr std::array<std::uint64_t, LiczbaSygnalow + 1> BudujMaskiKrokow() {
    std::array<std::uint64_t, LiczbaSygnalow + 1> m{};
    for (std::size_t k = 0; k + 1 < KolejnoscWykonania.size(); ++k)
        m[static_cast<std::size_t>(KolejnoscWykonania[k])] |= std::uint64_t{1} << k;
    return m;
}
constexpr auto MaskaKrokow = BudujMaskiKrokow();

constexpr std::uint64_t Kroki(std::initializer_list<TSygnal> sygnaly) {
    std::uint64_t m = 0;
    for (TSygnal s : sygnaly)
        m |= MaskaKrokow[static_cast<std::size_t>(s)];
    return m;
}

using enum TSygnal;
constexpr std::uint64_t WystawiajaA = Kroki({wyad, wyu, wyv, wyl, wyrm, wyap});
constexpr std::uint64_t WystawiajaS = Kroki({wys, wyx, wyy, wyz, wyrb, wyg, wyls, wyak});
constexpr std::uint64_t CzytajaA = Kroki({wel, weu, wev, wea, werm});
constexpr std::uint64_t CzytajaS = Kroki({wex, wey, wez, wei, wes, werb, weja});
constexpr std::uint64_t Polaczenia = Kroki({assa, as, sa});
constexpr std::uint64_t OperacjeJal =
    Kroki({dod, ode, przep, mnoz, dziel, shl, shr, and_, or_, not_, xor_});

constexpr bool NajwyzejJeden(std::uint64_t m) {
    return (m & (m - 1)) == 0;
}

// Every driver comes before every reader in the order of execution.
constexpr bool ObliczBezKomunikatow(std::uint64_t kroki) {
    return (kroki & Polaczenia) == 0 && NajwyzejJeden(kroki & WystawiajaA) &&
           NajwyzejJeden(kroki & WystawiajaS) && (!(kroki & CzytajaA) || (kroki & WystawiajaA)) &&
           (!(kroki & CzytajaS) || (kroki & WystawiajaS)) &&
           (!(kroki & OperacjeJal) || (kroki & MaskaKrokow[static_cast<std::size_t>(weja)])) &&
           (!(kroki & MaskaKrokow[static_cast<std::size_t>(weak)]) || (kroki & OperacjeJal));
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
