#include "Rozkazy.h"

namespace {

struct TWzorzec {
    const char* nazwa;
    std::uint16_t kod;
    std::int32_t argumenty;
    const char* opis;
    std::vector<std::string> mikroprogram;
};

const std::vector<TWzorzec>& ZestawStandardowy() {
    static const std::vector<TWzorzec> zestaw = {
        {"dod",
         1,
         1,
         "Dodaje do akumulatora wartość komórki o wskazanym adresie.",
         {"czyt wys wei il ;", "wyad wea ;", "czyt wys weja dod weak wyl wea ;"}},
        {"ode",
         2,
         1,
         "Odejmuje od wartości akumulatora wartość komórki o podanym adresie.",
         {"czyt wys wei il ;", "wyad wea ;", "czyt wys weja ode weak wyl wea ;"}},
        {"ład",
         3,
         1,
         "Zapisuje pod podany adres wartość akumulatora.",
         {"czyt wys wei il ;", "wyad wyak wes wea ;", "wyl pisz wea ;"}},
        {"pob",
         4,
         1,
         "Pobiera do akumulatora wartość komórki o podanym adresie.",
         {"czyt wys wei il ;", "wyad wea ;", "czyt wys weja przep weak wyl wea ;"}},
        {"sob",
         5,
         1,
         "Rozkaz skoku bezwarunkowego. Argument jest adresem.",
         {"czyt wys wei il ;", "wyad wel wea ;"}},
        {"som",
         6,
         1,
         "Skok warunkowy pod podany adres. Następuje, kiedy liczba w akumulatorze jest ujemna. "
         "(Bit znaku "
         "akumulatora równy 1).",
         {"czyt wys wei il ;", "if !z then dodatnia ;", "wyad wel wea !", "dodatnia: wyl wea ;"}},
        {"stop", 0, 0, "Zatrzymuje maszynę.", {"czyt wys wei il ;", "stp ;"}},
    };
    return zestaw;
}

TRozkaz ZWzorca(const TWzorzec& w) {
    TRozkaz r;
    r.Nazwa = w.nazwa;
    r.Opis = w.opis;
    r.Kod = w.kod;
    r.LiczbaArgumentow = w.argumenty;
    r.Mikroprogram = w.mikroprogram;
    return r;
}

} // namespace

void TListaRozkazow::UstawStandardowe() {
    std::vector<TRozkaz> nowe;
    for (const auto& w : ZestawStandardowy())
        nowe.push_back(ZWzorca(w));
    Zastap(std::move(nowe));
}

void TListaRozkazow::UsunWszystkie() {
    Zastap({ZWzorca(ZestawStandardowy().back())});
}

int TListaRozkazow::DodajRozkaz(std::uint32_t maksKod) {
    if (count >= MaksRozkazow) return 0;
    for (std::uint32_t c = 0; c <= maksKod && c <= 0xFFFF; ++c) {
        if (ZnajdzKod(c) != 0) continue;
        TRozkaz r;
        r.Nazwa = "nop" + std::to_string(c);
        r.Kod = static_cast<std::uint16_t>(c);
        r.Opis = "<Opis>";
        r.Mikroprogram = {"czyt wys wei il ;", "wyl wea ;"};
        rozkazy[static_cast<std::size_t>(count)] = std::move(r);
        return ++count;
    }
    return 0;
}

void TListaRozkazow::UsunRozkaz(int i) {
    if (i < 1 || i > count) return;
    if (i != count) (*this)[i] = std::move((*this)[count]);
    (*this)[count] = TRozkaz{};
    --count;
}

std::string TListaRozkazow::NazwaUnikalna(std::string_view baza) const {
    for (long long k = 1;; ++k) {
        std::string nazwa = std::string(baza) + std::to_string(k);
        if (ZnajdzNazwe(nazwa) == 0) return nazwa;
    }
}

int TListaRozkazow::ZnajdzNazwe(std::string_view nazwa) const {
    for (int i = count; i >= 1; --i)
        if ((*this)[i].Nazwa == nazwa) return i;
    return 0;
}

int TListaRozkazow::ZnajdzKod(std::int64_t kod) const {
    for (int i = 1; i <= count; ++i)
        if ((*this)[i].Kod == kod) return i;
    return 0;
}

void TListaRozkazow::Zastap(std::vector<TRozkaz> nowe) {
    if (nowe.size() > static_cast<std::size_t>(MaksRozkazow)) nowe.resize(MaksRozkazow);
    for (int i = 1; i <= count; ++i)
        (*this)[i] = TRozkaz{};
    count = static_cast<int>(nowe.size());
    for (int i = 1; i <= count; ++i)
        (*this)[i] = std::move(nowe[static_cast<std::size_t>(i - 1)]);
}
