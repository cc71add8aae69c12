// The microprogram compiler on arbitrary text, then a few ticks over what it built.
// Input: a byte choosing the code width, a byte choosing the signals that exist, then
// lines; a line "#name code" starts an instruction, lines before the first one belong
// to an instruction "r" with code 0.

#include <charconv>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "Kompilator.h"
#include "Sterowanie.h"
#include "TSymulator.h"
#include "Tekst.h"

namespace {

std::vector<TRozkaz> Rozkazy(const std::vector<std::string>& linie) {
    std::vector<TRozkaz> rozkazy;
    for (const auto& l : linie) {
        if (l.starts_with('#')) {
            if (rozkazy.size() == TListaRozkazow::MaksRozkazow) break;
            TRozkaz r;
            const std::size_t spacja = l.find(' ');
            r.Nazwa = l.substr(1, spacja == std::string::npos ? std::string::npos : spacja - 1);
            if (spacja != std::string::npos)
                r.Kod =
                    static_cast<std::uint16_t>(std::strtoul(l.c_str() + spacja + 1, nullptr, 10));
            rozkazy.push_back(std::move(r));
            continue;
        }
        if (rozkazy.empty()) rozkazy.push_back(TRozkaz{"r", "", 0, 0, {}, {}});
        rozkazy.back().Mikroprogram.push_back(l);
    }
    return rozkazy;
}

// True when the text is exactly the decimal number `v`.
bool JestLiczba(const std::string& t, std::int32_t v) {
    std::int32_t w = 0;
    const auto [koniec, blad] = std::from_chars(t.data(), t.data() + t.size(), w);
    return blad == std::errc{} && koniec == t.data() + t.size() && w == v &&
           (t.size() == 1 || (t[0] != '0' && !(t[0] == '-' && t[1] == '0')));
}

void Sprawdz(const TPamiecMikroprogramu& p, std::int32_t maksKod) {
    const int rozmiar = p.Rozmiar();
    if (rozmiar < maksKod + 2 || rozmiar > MaksWierszyMikroprogramu + 1) std::abort();
    const auto& pobranie = p.Wiersz(-1);
    if (pobranie.Sygnaly != "czyt wys wei il" || pobranie.Cel0 != "?" || pobranie.Cel1 != "?")
        std::abort();
    for (std::int32_t r = 0; r + 1 < rozmiar; ++r) {
        const auto& w = p.Wiersz(r);
        if (!JestLiczba(w.Adres, r)) std::abort();
        for (std::int32_t cel : {w.NumerCel0, w.NumerCel1})
            if (cel < -1 || cel + 1 >= rozmiar) std::abort();
        if (!JestLiczba(w.Cel0, w.NumerCel0) || !JestLiczba(w.Cel1, w.NumerCel1)) std::abort();
        if (w.Zestaw != DekodujMikrorozkaz(w.Sygnaly)) std::abort();
        if (w.KodWarunku != WarunekZNazwy(w.Warunek) || w.KodWarunku == TWarunek::Nieznany)
            std::abort();
    }
}

bool Rowne(const TPamiecMikroprogramu& a, const TPamiecMikroprogramu& b) {
    if (a.Rozmiar() != b.Rozmiar()) return false;
    for (std::int32_t r = -1; r + 1 < a.Rozmiar(); ++r) {
        const auto &x = a.Wiersz(r), &y = b.Wiersz(r);
        if (x.Adres != y.Adres || x.Rozkaz != y.Rozkaz || x.Etykieta != y.Etykieta ||
            x.Sygnaly != y.Sygnaly || x.Cel0 != y.Cel0 || x.Cel1 != y.Cel1 ||
            x.Warunek != y.Warunek || !(x.Zestaw == y.Zestaw))
            return false;
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* dane, std::size_t rozmiar) {
    if (rozmiar < 2) return 0;
    // One simulator for all inputs, as the program keeps one (a compilation then writes
    // over the rows of the previous one); what an input sets is set again for every input.
    static TSymulator s;
    // The widest code (257 rows to build and check) only now and then: it is slow.
    s.Maszyna.UstawSzerokosci(5, dane[0] % 16 == 15 ? 8 : 3 + dane[0] % 5);
    s.Maszyna.WyczyscPaO();
    s.Konsola.Wyczysc();
    s.Dziennik.Wyczysc();
    for (int n = 1; n <= LiczbaSygnalow; ++n)
        s.Architektura.Sygnaly[static_cast<std::size_t>(n)].Jest =
            dane[1] == 0xFF || (n * 37 + dane[1]) % 3 != 0;
    const std::string_view bajty(reinterpret_cast<const char*>(dane + 2), rozmiar - 2);
    s.ListaRozkazow.Zastap(Rozkazy(tekst::PodzielNaLinie(tekst::OdczytajTekst(bajty))));

    std::vector<std::string> komunikaty;
    TSladKompilacji slad;
    const auto maksKod = static_cast<std::int32_t>(s.Maszyna.MaskaKodu());
    KompilujMikroprogram(s.ListaRozkazow, s.Architektura, s.Maszyna.MaskaKodu(),
                         s.PamiecMikroprogramu, komunikaty, &slad);
    Sprawdz(s.PamiecMikroprogramu, maksKod);
    for (int i = 1; i <= s.ListaRozkazow.Count(); ++i)
        for (const auto& m : s.ListaRozkazow[i].Mikrorozkazy)
            if (!(m.ends_with("; ") || m.ends_with("! "))) std::abort();

    // The compilation above wrote over the previous input's rows: a fresh one must give the
    // same table.
    TPamiecMikroprogramu swiezy;
    KompilujMikroprogram(s.ListaRozkazow, s.Architektura, s.Maszyna.MaskaKodu(), swiezy,
                         komunikaty);
    if (!Rowne(swiezy, s.PamiecMikroprogramu)) std::abort();

    // Run a little over the table: every code once, from the bytes.
    for (std::size_t a = 0; a < 16 && a < rozmiar; ++a)
        s.Maszyna.WstawKomorke(static_cast<std::int64_t>(a), dane[a], dane[rozmiar - 1 - a] & 31,
                               "110");
    s.Maszyna.Reset();
    TPrzebieg program(s.Maszyna, TPolecenie::Program);
    program.Porcja(100);
    return 0;
}
