#include "Kompilator.h"

#include <algorithm>
#include <array>
#include <string>
#include <unordered_map>

#include "Tekst.h"

namespace {

bool KonczySieNa(std::string_view s, char c) {
    return !s.empty() && s.back() == c;
}

// Every word of every microinstruction is looked up, so the names sit in a small hash
// table built at compile time: a name (at most five letters) and its length packed into
// one integer, open addressing over 128 slots.
constexpr std::uint64_t KluczNazwy(std::string_view s) {
    if (s.empty() || s.size() > 5) return 0;
    std::uint64_t k = s.size();
    for (char c : s)
        k = (k << 8) | static_cast<unsigned char>(c);
    return k;
}
constexpr std::size_t PozycjaKlucza(std::uint64_t k) {
    return static_cast<std::size_t>((k * 0x9E3779B97F4A7C15ull) >> 57);
}

struct TTablicaNazw {
    std::array<std::uint64_t, 128> klucze{};
    std::array<std::uint8_t, 128> numery{};
};

constexpr TTablicaNazw ZbudujTabliceNazw() {
    TTablicaNazw t;
    for (std::size_t n = 1; n <= LiczbaSygnalow; ++n) {
        const std::uint64_t k = KluczNazwy(NazwySygnalow[n]);
        std::size_t i = PozycjaKlucza(k);
        while (t.klucze[i] != 0)
            i = (i + 1) % t.klucze.size();
        t.klucze[i] = k;
        t.numery[i] = static_cast<std::uint8_t>(n);
    }
    return t;
}
constexpr TTablicaNazw TablicaNazw = ZbudujTabliceNazw();

constexpr int SzybkiNumerSygnalu(std::string_view slowo) {
    const std::uint64_t k = KluczNazwy(slowo);
    if (k == 0) return 0;
    for (std::size_t i = PozycjaKlucza(k); TablicaNazw.klucze[i] != 0;
         i = (i + 1) % TablicaNazw.klucze.size())
        if (TablicaNazw.klucze[i] == k) return TablicaNazw.numery[i];
    return 0;
}

constexpr bool TablicaNazwPelna() {
    for (std::size_t n = 1; n <= LiczbaSygnalow; ++n)
        if (SzybkiNumerSygnalu(NazwySygnalow[n]) != static_cast<int>(n)) return false;
    return SzybkiNumerSygnalu("") == 0 && SzybkiNumerSygnalu("wyadx") == 0 &&
           SzybkiNumerSygnalu("czyt ") == 0;
}
static_assert(TablicaNazwPelna());
static_assert(MaksWierszyMikroprogramu == 8192, "the message below names the limit");

// The number of an allowed word: its signal number, -1 for ";" and "!" (allowed, but no
// signal), 0 when the word is not allowed.
int NumerDozwolonego(std::string_view slowo, const TArchitektura& arch) {
    if (slowo == ";" || slowo == "!") return -1;
    const int n = SzybkiNumerSygnalu(slowo);
    if (n == static_cast<int>(TSygnal::stp)) return n;
    return arch.Jest(n) ? n : 0;
}

// Words at single blanks, into a vector the caller reuses.
void Slowa(std::string_view tekst, std::vector<std::string_view>& slowa) {
    slowa.clear();
    std::size_t i = 0;
    while (i < tekst.size()) {
        while (i < tekst.size() && tekst[i] == ' ')
            ++i;
        const std::size_t p = i;
        while (i < tekst.size() && tekst[i] != ' ')
            ++i;
        if (i > p) slowa.push_back(tekst.substr(p, i - p));
    }
}

// Every field empty, keeping the strings' buffers.
void Oproznij(TWierszMikroprogramu& w) {
    for (std::string* pole :
         {&w.Adres, &w.Rozkaz, &w.Etykieta, &w.Sygnaly, &w.Cel0, &w.Cel1, &w.Warunek})
        pole->clear();
    w.Zestaw = {};
    w.NumerCel0 = w.NumerCel1 = -1;
    w.KodWarunku = TWarunek::Brak;
}

void UstawCel(std::string& pole, std::int32_t& numer, std::int32_t wartosc) {
    numer = wartosc;
    pole = std::to_string(wartosc);
}

} // namespace

void ZglosBlad(std::vector<std::string>& komunikaty, std::string_view nazwa,
               std::string_view tekst) {
    std::string linia(nazwa);
    linia.append(": ").append(tekst);
    komunikaty.push_back(std::move(linia));
}

bool CzyDozwolony(std::string_view slowo, const TArchitektura& arch) {
    return NumerDozwolonego(slowo, arch) != 0;
}

std::string NormalizujTekst(std::string_view tekst) {
    std::string w;
    w.reserve(tekst.size() + tekst.size() / 2 + 2);
    // Runs of spaces collapse as they are written.
    auto pisz = [&w](char c) {
        if (c == ' ' && !w.empty() && w.back() == ' ') return;
        w += c;
    };
    for (char c : tekst) {
        switch (c) {
        case '\t':
            pisz(' ');
            break;
        case ';':
            pisz(' ');
            pisz(';');
            pisz(' ');
            break;
        case '!':
            pisz(' ');
            pisz('!');
            break;
        case ':':
            pisz(':');
            pisz(' ');
            break;
        default:
            pisz(c);
            break;
        }
    }
    if (!w.empty() && w.front() == ' ') w.erase(0, 1);
    if (!w.empty() && w.back() == ' ') w.pop_back();
    return w;
}

void PodzielNaMikrorozkazy(TRozkaz& rozkaz, TSladKompilacji* slad) {
    std::string polaczony = " ";
    for (const auto& linia : rozkaz.Mikroprogram)
        polaczony.append(linia).append(" ");
    const std::string t = " " + NormalizujTekst(polaczony) + " ";

    if (slad) slad->Memo2.push_back("=" + rozkaz.Nazwa + "=");
    // A space after ";" or "!" ends a microinstruction; the rest after the last one is dropped.
    // The previous compilation's strings are written over to spare the allocations.
    auto& wynik = rozkaz.Mikrorozkazy;
    std::size_t ile = 0;
    std::size_t poczatek = 1;
    for (std::size_t i = 1; i < t.size(); ++i) {
        if (t[i] != ' ' || (t[i - 1] != ';' && t[i - 1] != '!')) continue;
        if (ile == wynik.size()) wynik.emplace_back();
        std::string& m = wynik[ile++];
        m.assign(t, poczatek, i - poczatek + 1); // with the blank after the terminator
        if (slad) slad->Memo2.push_back(">" + m + "<");
        tekst::MaleLiteryWMiejscu(m);
        poczatek = i + 1;
    }
    wynik.resize(ile);
    if (slad) slad->Memo2.emplace_back();
}

void KompilujWarunek(std::string_view klauzula, TWierszMikroprogramu& wiersz,
                     std::vector<std::string>& komunikaty) {
    const auto slowa = SlowaMikrorozkazu(klauzula);
    if (slowa.size() < 4) {
        komunikaty.push_back("Za krótki warunek: " + std::string(klauzula));
        return;
    }
    if (slowa[2] != "then") {
        komunikaty.push_back("[Błąd] Błąd składni (then):" + std::string(klauzula));
        return;
    }
    std::string cel = wiersz.Rozkaz + "." + std::string(slowa[3]);
    wiersz.Cel0.clear();
    wiersz.Cel1.clear();
    wiersz.Warunek.clear();
    wiersz.KodWarunku = TWarunek::Brak;
    const bool zaprzeczony = slowa[1].starts_with('!');
    const std::string_view nazwa = zaprzeczony ? slowa[1].substr(1) : slowa[1];
    const TWarunek kod = WarunekZNazwy(nazwa);
    if (kod == TWarunek::Brak || kod == TWarunek::Nieznany) {
        komunikaty.push_back("[Błąd] Błąd składni (<warunek>):" + std::string(klauzula));
        return;
    }
    wiersz.Warunek = nazwa;
    wiersz.KodWarunku = kod;
    // A negated condition is stored with its two successors swapped.
    (zaprzeczony ? wiersz.Cel0 : wiersz.Cel1) = std::move(cel);
}

namespace {

void KompilujMikrorozkaz(std::string_view nazwa, std::string_view mikrorozkaz,
                         TWierszMikroprogramu& wiersz, const TArchitektura& arch,
                         std::vector<std::string>& komunikaty, TSladKompilacji* slad,
                         std::vector<std::string_view>& slowa) {
    Slowa(mikrorozkaz, slowa);

    // A label anywhere but first is reported and dropped.
    std::size_t j = 0;
    for (std::size_t i = 0; i < slowa.size(); ++i) {
        if (i > 0 && KonczySieNa(slowa[i], ':')) {
            ZglosBlad(komunikaty, nazwa,
                      "\"" + std::string(slowa[i]) +
                          "\" - Etykieta dozwolona tylko na początku linii");
            continue;
        }
        slowa[j++] = slowa[i];
    }
    slowa.resize(j);

    std::string_view terminator;
    if (!slowa.empty()) {
        terminator = slowa.back();
        slowa.pop_back();
    }

    // Only the first "if" is taken, with at most three words after it.
    std::string klauzula;
    const auto jesli = std::find(slowa.begin(), slowa.end(), std::string_view("if"));
    const bool jestWarunek = jesli != slowa.end();
    if (jestWarunek) {
        const auto ile = std::min<std::ptrdiff_t>(3, slowa.end() - jesli - 1);
        for (auto it = jesli; it != jesli + ile + 1; ++it)
            klauzula.append(*it).append(" ");
        slowa.erase(jesli, jesli + ile + 1);
    }

    std::string_view etykieta;
    if (!slowa.empty() && KonczySieNa(slowa.front(), ':')) {
        etykieta = slowa.front().substr(0, slowa.front().size() - 1);
        wiersz.Etykieta = std::string(nazwa) + "." + std::string(etykieta);
        slowa.erase(slowa.begin());
    }

    for (std::string_view s : slowa) {
        const int n = NumerDozwolonego(s, arch);
        if (n == 0) {
            ZglosBlad(komunikaty, nazwa, "Niedozwolony sygnal: " + std::string(s));
            continue;
        }
        wiersz.Sygnaly.append(s).append(" ");
        if (n > 0) wiersz.Zestaw.Dodaj(n);
    }
    if (terminator == "!") wiersz.Sygnaly += '!';

    if (jestWarunek) KompilujWarunek(klauzula, wiersz, komunikaty);

    if (slad) {
        std::string linia = "|";
        linia.append(etykieta)
            .append("|")
            .append(wiersz.Sygnaly)
            .append("|")
            .append(klauzula)
            .append("|");
        linia.append(terminator).append("|");
        slad->Memo3.push_back(std::move(linia));
    }
}

} // namespace

void KompilujMikrorozkaz(std::string_view nazwa, std::string_view mikrorozkaz,
                         TWierszMikroprogramu& wiersz, const TArchitektura& arch,
                         std::vector<std::string>& komunikaty, TSladKompilacji* slad) {
    std::vector<std::string_view> slowa;
    KompilujMikrorozkaz(nazwa, mikrorozkaz, wiersz, arch, komunikaty, slad, slowa);
}

void KompilujMikroprogram(TListaRozkazow& lista, const TArchitektura& arch, std::uint32_t maksKod,
                          TPamiecMikroprogramu& pamiec, std::vector<std::string>& komunikaty,
                          TSladKompilacji* slad) {
    if (slad) *slad = {};
    const auto najwiekszyKod =
        static_cast<std::int32_t>(std::min<std::uint32_t>(maksKod, MaksWierszyMikroprogramu - 1));

    if (slad) {
        slad->Memo2.reserve(64 * static_cast<std::size_t>(lista.Count()));
        slad->Memo3.reserve(64 * static_cast<std::size_t>(lista.Count()));
    }
    // Pass 1, and the exact number of rows the table will need.
    std::size_t potrzebne = static_cast<std::size_t>(najwiekszyKod) + 2;
    for (int i = 1; i <= lista.Count(); ++i) {
        PodzielNaMikrorozkazy(lista[i], slad);
        const std::size_t n = lista[i].Mikrorozkazy.size();
        if (n > 2) potrzebne += n - 2;
    }

    // Index 0 is the fetch row -1, index r + 1 is row r. The rows of the previous table
    // are emptied and written over, which spares most allocations of a recompilation.
    std::vector<TWierszMikroprogramu> wiersze = std::move(pamiec.Wiersze());
    wiersze.reserve(std::min<std::size_t>(potrzebne, MaksWierszyMikroprogramu + 1));
    std::size_t uzyte = 0;
    auto nowyWiersz = [&]() -> TWierszMikroprogramu& {
        if (uzyte == wiersze.size()) wiersze.emplace_back();
        TWierszMikroprogramu& w = wiersze[uzyte++];
        Oproznij(w);
        return w;
    };
    nowyWiersz();
    for (std::int32_t c = 0; c <= najwiekszyKod; ++c)
        nowyWiersz().Adres = std::to_string(c);

    // Pass 2. An instruction whose code is outside the entry rows, or whose rows would not
    // fit, is left out whole: it must never land on another instruction's rows.
    std::int32_t nastepny = najwiekszyKod + 1;
    std::vector<std::string_view> slowa;
    for (int i = 1; i <= lista.Count(); ++i) {
        const TRozkaz& rozkaz = lista[i];
        const std::size_t n = rozkaz.Mikrorozkazy.size();
        if (n < 2) continue;
        if (rozkaz.Kod > najwiekszyKod) {
            ZglosBlad(komunikaty, rozkaz.Nazwa,
                      "Kod rozkazu " + std::to_string(rozkaz.Kod) +
                          " jest większy niż największy kod " + std::to_string(najwiekszyKod) +
                          " - rozkaz pominięty");
            continue;
        }
        if (static_cast<std::size_t>(nastepny) + (n - 2) >
            static_cast<std::size_t>(MaksWierszyMikroprogramu)) {
            ZglosBlad(komunikaty, rozkaz.Nazwa,
                      "Mikroprogram nie mieści się w pamięci mikroprogramu (najwyżej 8192 "
                      "wiersze) - rozkaz pominięty");
            continue;
        }
        for (std::size_t k = 1; k < n; ++k) {
            std::int32_t r = rozkaz.Kod;
            if (k > 1) r = nastepny++;
            TWierszMikroprogramu& w =
                k > 1 ? nowyWiersz() : wiersze[static_cast<std::size_t>(r) + 1];
            Oproznij(w);
            w.Adres = std::to_string(r);
            w.Rozkaz = rozkaz.Nazwa;
            KompilujMikrorozkaz(rozkaz.Nazwa, rozkaz.Mikrorozkazy[k], w, arch, komunikaty, slad,
                                slowa);
        }
    }

    // Replaced for each instruction, so the last one's stays.
    if (slad && lista.Count() > 0) slad->Memo1 = lista[lista.Count()].Mikrorozkazy;

    const std::size_t liczba = static_cast<std::size_t>(nastepny);
    auto wiersz = [&wiersze](std::size_t r) -> TWierszMikroprogramu& { return wiersze[r + 1]; };

    for (std::size_t r = 0; r < liczba; ++r)
        if (wiersz(r).Rozkaz.empty()) wiersz(r).Cel0 = wiersz(r).Cel1 = "-1";

    // Successors. The first row bearing a label wins; an empty successor is the next row
    // of the same instruction name, found by one backward sweep.
    std::unordered_map<std::string_view, std::int32_t> etykiety;
    etykiety.reserve(liczba);
    for (std::size_t r = 0; r < liczba; ++r)
        if (!wiersz(r).Etykieta.empty())
            etykiety.emplace(wiersz(r).Etykieta, static_cast<std::int32_t>(r));
    std::vector<std::int32_t> nastepnyTegoSamego(liczba, -1);
    {
        std::unordered_map<std::string_view, std::int32_t> ostatni;
        ostatni.reserve(static_cast<std::size_t>(lista.Count()));
        for (std::size_t r = liczba; r-- > 0;) {
            const std::string& nazwa = wiersz(r).Rozkaz;
            if (nazwa.empty()) continue;
            auto [it, nowy] = ostatni.try_emplace(nazwa, static_cast<std::int32_t>(r));
            if (!nowy) {
                nastepnyTegoSamego[r] = it->second;
                it->second = static_cast<std::int32_t>(r);
            }
        }
    }
    for (std::size_t r = 0; r < liczba; ++r) {
        TWierszMikroprogramu& w = wiersz(r);
        for (int strona = 0; strona < 2; ++strona) {
            std::string& pole = strona == 0 ? w.Cel0 : w.Cel1;
            std::int32_t& numer = strona == 0 ? w.NumerCel0 : w.NumerCel1;
            if (pole.empty()) {
                UstawCel(pole, numer, KonczySieNa(w.Sygnaly, '!') ? -1 : nastepnyTegoSamego[r]);
            } else if (auto it = etykiety.find(pole); it != etykiety.end()) {
                UstawCel(pole, numer, it->second);
            } else {
                if (pole.find('.') != std::string::npos)
                    ZglosBlad(komunikaty, w.Rozkaz, "Nieznana etykieta " + pole);
                UstawCel(pole, numer, -1);
            }
        }
    }

    wiersze.resize(uzyte);
    wiersze[0] = WierszPobrania();
    pamiec.Wiersze() = std::move(wiersze);
}
