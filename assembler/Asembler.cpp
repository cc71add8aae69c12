#include "Asembler.h"

#include <algorithm>
#include <charconv>
#include <functional>
#include <limits>
#include <new>

#include "Architektura.h"
#include "Dziennik.h"
#include "Maszyna.h"
#include "Rozkazy.h"
#include "Tekst.h"

namespace {

// Tokens of a line whose tokens are separated by single blanks.
class TTokeny {
  public:
    explicit TTokeny(std::string_view s) : s(s) {}
    bool Koniec() const { return p >= s.size(); }
    std::string_view Podglad() const {
        if (Koniec()) return {};
        const std::size_t k = s.find(' ', p);
        return s.substr(p, (k == std::string_view::npos ? s.size() : k) - p);
    }
    std::string_view Nastepny() {
        const std::string_view t = Podglad();
        p = std::min(s.size(), p + t.size() + 1);
        return t;
    }
    std::string_view Reszta() const { return Koniec() ? std::string_view{} : s.substr(p); }

  private:
    std::string_view s;
    std::size_t p = 0;
};

enum class TRodzajMnemonika { Nieznany, Rozkaz, Org, Rpa, Rst };

struct TMnemonik {
    TRodzajMnemonika Rodzaj = TRodzajMnemonika::Nieznany;
    std::int32_t Kod = 0;
    // A negative count (only a file can bring one in) reads as 0: one word, no
    // arguments, so the words and the addresses of step 2 stay in step.
    std::int32_t Argumenty = 0;
};

// Open-addressing table from a name to an index; the names are views into text that
// outlives the table. One flat array keeps a 100 000-label program out of the allocator.
class TTablicaNazw {
  public:
    explicit TTablicaNazw(std::size_t oczekiwane) {
        std::size_t n = 16;
        while (n < oczekiwane * 2)
            n <<= 1;
        sloty.resize(n);
    }
    // The index stored for the name, -1 when none.
    std::int32_t Znajdz(std::string_view nazwa) const {
        const std::size_t h = std::hash<std::string_view>{}(nazwa);
        for (std::size_t i = h & (sloty.size() - 1);; i = (i + 1) & (sloty.size() - 1)) {
            const TSlot& s = sloty[i];
            if (s.indeks < 0) return -1;
            if (s.skrot == h && s.nazwa == nazwa) return s.indeks;
        }
    }
    // Stores the name unless it is there already; false then, and the first index stays.
    bool Dodaj(std::string_view nazwa, std::int32_t indeks) {
        if ((ile + 1) * 2 > sloty.size()) Powieksz();
        const std::size_t h = std::hash<std::string_view>{}(nazwa);
        for (std::size_t i = h & (sloty.size() - 1);; i = (i + 1) & (sloty.size() - 1)) {
            TSlot& s = sloty[i];
            if (s.indeks < 0) {
                s = {h, nazwa, indeks};
                ++ile;
                return true;
            }
            if (s.skrot == h && s.nazwa == nazwa) return false;
        }
    }

  private:
    struct TSlot {
        std::size_t skrot = 0;
        std::string_view nazwa;
        std::int32_t indeks = -1;
    };
    void Powieksz() {
        std::vector<TSlot> stare(sloty.size() * 2);
        stare.swap(sloty);
        ile = 0;
        for (const TSlot& s : stare)
            if (s.indeks >= 0) Dodaj(s.nazwa, s.indeks);
    }
    std::vector<TSlot> sloty;
    std::size_t ile = 0;
};

// Name look-up for one pass; the directives come before the list, and of several
// instructions with one name the last counts.
class TSlownik {
  public:
    explicit TSlownik(const TListaRozkazow& lista)
        : lista(lista), nazwy(static_cast<std::size_t>(lista.Count())) {
        for (int i = lista.Count(); i >= 1; --i)
            nazwy.Dodaj(lista[i].Nazwa, i);
    }
    TMnemonik Znajdz(std::string_view m) const {
        if (m == "org") return {TRodzajMnemonika::Org, 0, 1};
        if (m == "rpa") return {TRodzajMnemonika::Rpa, 0, 0};
        if (m == "rst") return {TRodzajMnemonika::Rst, 0, 1};
        const std::int32_t i = nazwy.Znajdz(m);
        if (i < 0) return {};
        const TRozkaz& r = lista[i];
        return {TRodzajMnemonika::Rozkaz, r.Kod, std::max(0, r.LiczbaArgumentow)};
    }

  private:
    const TListaRozkazow& lista;
    TTablicaNazw nazwy;
};

// Makes room for one more element, asking the budget first; false when it refuses.
template <class T> bool MiejsceNaJeszcze(std::vector<T>& v, TBudzet& budzet) {
    if (v.size() < v.capacity()) return true;
    const std::size_t nowa = v.capacity() < 16 ? 16 : v.capacity() * 2;
    if (!budzet.Wez((nowa - v.capacity()) * sizeof(T))) return false;
    v.reserve(nowa);
    return true;
}

// Heap bytes of a string beyond the string itself.
std::size_t Sterta(const std::string& s) {
    return s.capacity() > 15 ? s.capacity() + 1 : 0;
}

// The address counter is a signed 32-bit integer; it wraps around modulo 2^32 like the
// machine's own counters instead of overflowing.
std::int32_t Przesun(std::int32_t adres, std::int64_t o) {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(adres) +
                                     static_cast<std::uint32_t>(o));
}

void Blad(TWynikAsemblacji& w, std::string_view n, std::string_view reszta) {
    std::string k = "[Błąd] ...(";
    k += n;
    k += reszta;
    if (MiejsceNaJeszcze(w.Komunikaty, w.Budzet) && w.Budzet.Wez(Sterta(k)))
        w.Komunikaty.push_back(std::move(k));
}

void DopiszLiczbe(std::string& s, std::int64_t v) {
    char bufor[24];
    const auto r = std::to_chars(bufor, bufor + sizeof bufor, v);
    s.append(bufor, r.ptr);
}

int CyfraHex(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

} // namespace

bool CzytajLiczbe(std::string_view t, std::int32_t& wartosc) {
    std::int32_t w = 0;
    std::string_view hex;
    bool szesnastkowa = true;
    if (!t.empty() && t[0] == '$')
        hex = t.substr(1);
    else if (t.size() >= 2 && t[0] == '0' && (t[1] == 'x' || t[1] == 'X'))
        hex = t.substr(2);
    else if (!t.empty() && (t[0] == 'x' || t[0] == 'X'))
        hex = t.substr(1);
    else
        szesnastkowa = false;

    if (szesnastkowa) {
        if (hex.empty()) return false;
        std::uint64_t v = 0;
        for (char c : hex) {
            const int d = CyfraHex(c);
            if (d < 0) return false;
            v = v * 16 + static_cast<std::uint64_t>(d);
            if (v > 0xFFFFFFFFu) return false;
        }
        w = static_cast<std::int32_t>(static_cast<std::uint32_t>(v));
    } else {
        bool ujemna = false;
        if (!t.empty() && (t[0] == '+' || t[0] == '-')) {
            ujemna = t[0] == '-';
            t.remove_prefix(1);
        }
        if (t.empty()) return false;
        std::int64_t v = 0;
        for (char c : t) {
            if (c < '0' || c > '9') return false;
            v = v * 10 + (c - '0');
            if (v > std::int64_t{1} << 31) return false;
        }
        if (ujemna) v = -v;
        if (v > std::numeric_limits<std::int32_t>::max()) return false;
        w = static_cast<std::int32_t>(v);
    }
    if (w == std::numeric_limits<std::int32_t>::max()) return false;
    wartosc = w;
    return true;
}

void OczyscTekst(TWynikAsemblacji& w) {
    w.Czyste.clear();
    for (std::size_t i = 0; i < w.Zrodlo.size() && !w.Budzet.Przekroczony(); ++i) {
        std::string_view z = w.Zrodlo[i];
        const std::size_t komentarz = z.find("//");
        if (komentarz != std::string_view::npos) z = z.substr(0, komentarz);

        // The number, and at most two bytes per character (a blank after a colon).
        std::string* bufor = w.Czyste.Zacznij(24 + 2 * z.size(), w.Budzet);
        if (!bufor) return;
        std::string& c = *bufor;
        DopiszLiczbe(c, static_cast<std::int64_t>(i));
        c += ' ';
        const std::size_t poczatek = c.size();
        // One pass: tabs as blanks, runs of blanks as one, none in front, exactly one at
        // the end, A-Z folded, and a blank after a colon glued to what follows it.
        bool poBlanku = true, wielkie = false;
        for (char z1 : z) {
            if (z1 == '\t' || z1 == ' ') {
                if (!poBlanku) c += ' ';
                poBlanku = true;
                continue;
            }
            if (!poBlanku && c.back() == ':') c += ' ';
            if (z1 >= 'A' && z1 <= 'Z') {
                z1 = static_cast<char>(z1 - 'A' + 'a');
                wielkie = true;
            }
            c += z1;
            poBlanku = false;
        }
        if (!poBlanku) c += ' ';
        const std::string_view tresc = std::string_view(c).substr(poczatek);
        // Tested before folding: only the lower-case line ends the program.
        const bool kon = !wielkie && tresc == "kon ";
        if (tresc.empty() || kon)
            w.Czyste.Porzuc();
        else
            w.Czyste.Zakoncz();
        if (kon) break;
    }
}

void RozmiescEtykiety(TWynikAsemblacji& w, const TListaRozkazow& lista) {
    w.Etykiety.clear();
    w.Rozmieszczone.clear();
    const TSlownik slownik(lista);
    // Keys point into the clean lines, which this step does not change.
    TTablicaNazw znane(w.Czyste.size() / 4);
    std::int32_t adres = 0;
    for (const std::string_view linia : w.Czyste) {
        if (w.Budzet.Przekroczony()) return;
        TTokeny t(linia);
        const std::string_view n = t.Nastepny();
        while (!t.Koniec()) {
            const std::string_view e = t.Podglad();
            if (e.empty() || e.back() != ':') break;
            t.Nastepny();
            const std::string_view nazwa = e.substr(0, e.size() - 1);
            if (znane.Dodaj(nazwa, 0)) {
                std::string a;
                DopiszLiczbe(a, adres);
                std::string e(nazwa);
                if (!MiejsceNaJeszcze(w.Etykiety, w.Budzet) || !w.Budzet.Wez(Sterta(a) + Sterta(e)))
                    return;
                w.Etykiety.emplace_back(std::move(e), std::move(a));
            } else {
                Blad(w, n, "): Wielokrotna definicja etykiety \"" + std::string(nazwa) + "\" ");
            }
        }
        if (t.Koniec()) continue;

        const std::string_view r = t.Reszta();
        const std::string_view m = t.Nastepny();
        const TMnemonik mn = slownik.Znajdz(m);
        std::int64_t slow = 0;
        switch (mn.Rodzaj) {
        case TRodzajMnemonika::Rozkaz:
            slow = std::max<std::int64_t>(1, mn.Argumenty);
            break;
        case TRodzajMnemonika::Rpa:
        case TRodzajMnemonika::Rst:
            slow = 1;
            break;
        case TRodzajMnemonika::Org:
            slow = 0;
            break;
        case TRodzajMnemonika::Nieznany:
            Blad(w, n, "): Nieznana instrukcja \"" + std::string(m) + "\"");
            break;
        }
        adres = Przesun(adres, slow);

        if (mn.Rodzaj == TRodzajMnemonika::Org) {
            const std::string_view p = t.Nastepny();
            std::int32_t v = 0;
            if (CzytajLiczbe(p, v)) {
                if (p[0] == '+')
                    adres = Przesun(adres, v);
                else if (v < adres)
                    Blad(w, n, "): Za mała wartość w \"org " + std::string(p) + "\"");
                else
                    adres = v;
            } else if (!p.empty()) {
                Blad(w, n, "): Błędny parametr \"" + std::string(p) + "\"");
            }
        }

        std::string* umieszczona = w.Rozmieszczone.Zacznij(linia.size() + 1, w.Budzet);
        if (!umieszczona) return;
        *umieszczona += n;
        *umieszczona += ' ';
        *umieszczona += r;
        w.Rozmieszczone.Zakoncz();
    }
}

void RozwiazArgumenty(TWynikAsemblacji& w, const TListaRozkazow& lista) {
    w.Rozwiazane.clear();
    w.Uzupelnione = 0;
    const TSlownik slownik(lista);
    TTablicaNazw etykiety(w.Etykiety.size());
    for (std::size_t i = 0; i < w.Etykiety.size(); ++i)
        etykiety.Dodaj(w.Etykiety[i].first, static_cast<std::int32_t>(i));

    for (const std::string_view linia : w.Rozmieszczone) {
        if (w.Budzet.Przekroczony()) return;
        TTokeny t(linia);
        const std::string_view n = t.Nastepny();
        const std::string_view m = t.Nastepny();
        const TMnemonik mn = slownik.Znajdz(m);
        const std::int64_t e = mn.Rodzaj == TRodzajMnemonika::Nieznany ? -1 : mn.Argumenty;

        // A label of one letter and its blank become up to twelve bytes of address, and
        // the filled-in zeros two each.
        const std::int64_t zera = std::min<std::int64_t>(std::max<std::int64_t>(e, 0) + 1,
                                                         MaksUzupelnien - w.Uzupelnione + 1);
        std::string* bufor = w.Rozwiazane.Zacznij(
            6 * linia.size() + 2 + 2 * static_cast<std::size_t>(zera), w.Budzet);
        if (!bufor) return;
        std::string& wynik = *bufor;
        wynik += n;
        wynik += ' ';
        wynik += m;
        wynik += ' ';
        std::int64_t ile = 0;
        while (!t.Koniec()) {
            const std::string_view a = t.Nastepny();
            if (++ile > e) continue;
            const std::int32_t i = etykiety.Znajdz(a);
            wynik += i < 0 ? a : std::string_view(w.Etykiety[static_cast<std::size_t>(i)].second);
            wynik += ' ';
        }
        if (ile < e) {
            Blad(w, n, "): Za mało parametrów");
            std::int64_t brak = e - ile;
            // The first word carries the instruction code, so its argument is always
            // filled in; the continuation words only within the budget.
            if (ile == 0) {
                wynik += "0 ";
                --brak;
            }
            const std::int64_t dopisz = std::min(brak, MaksUzupelnien - w.Uzupelnione);
            w.Uzupelnione += dopisz;
            for (std::int64_t i = 0; i < dopisz; ++i)
                wynik += "0 ";
        }
        w.Rozwiazane.Zakoncz();
        if (ile > e && e != -1) Blad(w, n, "): Za dużo parametrów");
    }
}

void KodujSlowa(TWynikAsemblacji& w, const TListaRozkazow& lista) {
    w.Slowa.clear();
    w.NajwyzszyPominiety = -1;
    const TSlownik slownik(lista);
    std::int32_t adres = 0;

    auto slowo = [&](std::int32_t a, std::int32_t kod, std::int32_t arg,
                     const std::string& rodzaj) {
        std::string* s = w.Slowa.Zacznij(48, w.Budzet);
        if (!s) return false;
        DopiszLiczbe(*s, a);
        *s += ' ';
        DopiszLiczbe(*s, kod);
        *s += ' ';
        DopiszLiczbe(*s, arg);
        *s += ' ';
        *s += rodzaj;
        *s += ' ';
        w.Slowa.Zakoncz();
        return true;
    };

    for (const std::string_view linia : w.Rozwiazane) {
        TTokeny t(linia);
        const std::string_view n = t.Nastepny();
        const std::string_view m = t.Nastepny();
        const TMnemonik mn = slownik.Znajdz(m);

        if (mn.Rodzaj == TRodzajMnemonika::Org) {
            const std::string_view p = t.Nastepny();
            std::int32_t v = 0;
            if (!CzytajLiczbe(p, v))
                Blad(w, n, "): Błędny parametr: " + std::string(p));
            else if (p[0] == '+')
                adres = Przesun(adres, v);
            else
                adres = v;
            continue;
        }

        std::int32_t kod = 0;
        std::string rodzaj = "000";
        std::int64_t k = 0;
        switch (mn.Rodzaj) {
        case TRodzajMnemonika::Rozkaz:
            kod = mn.Kod;
            k = mn.Argumenty;
            rodzaj = "110";
            break;
        case TRodzajMnemonika::Rst:
            rodzaj = "010";
            k = 1;
            break;
        case TRodzajMnemonika::Rpa:
        case TRodzajMnemonika::Nieznany:
        case TRodzajMnemonika::Org:
            break;
        }

        if (k == 0) {
            if (!slowo(adres, kod, 0, rodzaj)) return;
            adres = Przesun(adres, 1);
            continue;
        }
        std::int64_t zapisane = 0;
        while (zapisane < k && !t.Koniec()) {
            const std::string_view a = t.Nastepny();
            std::int32_t v = 0;
            if (!CzytajLiczbe(a, v)) {
                Blad(w, n, "): Błędny parametr: \"" + std::string(a) + "\"");
                v = 0;
            }
            if (!slowo(adres, kod, v, rodzaj)) return;
            adres = Przesun(adres, 1);
            kod = 0;
            rodzaj[2] = '1';
            ++zapisane;
        }
        // Filled-in zero words past the budget: not written, but they keep their addresses.
        if (const std::int64_t pominiete = k - zapisane; pominiete > 0) {
            const std::int64_t koniec = std::int64_t{adres} + pominiete - 1;
            const std::int64_t najwyzszy =
                std::min<std::int64_t>(koniec, std::numeric_limits<std::int32_t>::max());
            w.NajwyzszyPominiety = std::max(w.NajwyzszyPominiety, najwyzszy);
            adres = Przesun(adres, pominiete);
        }
    }
}

void ZaladujPamiec(TWynikAsemblacji& w, TMaszyna& maszyna) {
    maszyna.WyczyscPaO();
    if (w.Budzet.Przekroczony()) return;
    struct TSlowo {
        std::int32_t adres = 0, kod = 0, argument = 0;
        std::string_view rodzaj;
    };
    auto czytaj = [](std::string_view linia) {
        TSlowo s;
        TTokeny t(linia);
        for (std::int32_t* v : {&s.adres, &s.kod, &s.argument}) {
            const std::string_view n = t.Nastepny();
            std::from_chars(n.data(), n.data() + n.size(), *v);
        }
        s.rodzaj = t.Nastepny();
        return s;
    };
    // What the memory will take, asked before anything goes in: the cells, and the
    // address table's pages or entries.
    std::vector<bool> strony(std::size_t{1} << (24 - TPaO::BityStrony));
    std::size_t nowychStron = 0, poza = 0;
    for (const std::string_view linia : w.Slowa) {
        const std::int32_t a = czytaj(linia).adres;
        if (a < 0 || a >= TPaO::ZakresStron) {
            ++poza;
        } else if (const auto s = static_cast<std::size_t>(a) >> TPaO::BityStrony; !strony[s]) {
            strony[s] = true;
            ++nowychStron;
        }
    }
    if (!w.Budzet.Wez(w.Slowa.size() * sizeof(TKomorka) + nowychStron * TPaO::BajtyStrony +
                      poza * TPaO::BajtyWpisu))
        return;
    maszyna.RezerwujPaO(w.Slowa.size());
    std::int64_t najwyzszy = 0;
    for (const std::string_view linia : w.Slowa) {
        const TSlowo s = czytaj(linia);
        maszyna.WstawKomorke(s.adres, s.kod, s.argument, TRodzajKomorki(s.rodzaj));
        najwyzszy = std::max<std::int64_t>(najwyzszy, s.adres);
    }
    najwyzszy = std::max(najwyzszy, w.NajwyzszyPominiety);
    if (najwyzszy > static_cast<std::int64_t>(maszyna.MaskaAdresu()))
        w.Komunikaty.emplace_back("[Błąd krytyczny] - Za mało pamięci!");
}

void UstawWektoryPrzerwan(const TWynikAsemblacji& w, TArchitektura& arch) {
    for (std::size_t i = 1; i <= 8; ++i) {
        TPrzerwanie& p = arch.Przerwania[i];
        p.Adres = 0;
        for (const auto& [nazwa, adres] : w.Etykiety) {
            if (nazwa != p.Etykieta) continue;
            std::int32_t v = 0;
            std::from_chars(adres.data(), adres.data() + adres.size(), v);
            p.Adres = v;
            break;
        }
    }
}

void PokazEtykiety(const TWynikAsemblacji& w, TDziennik& dziennik) {
    dziennik.PokazEtykiety(w.Etykiety);
}

namespace {

// Drops everything the assembly holds and leaves the one message.
void Odmowa(TWynikAsemblacji& w, TMaszyna& maszyna) {
    for (TLinie* l : {&w.Czyste, &w.Rozmieszczone, &w.Rozwiazane, &w.Slowa})
        l->Zwolnij();
    std::vector<std::pair<std::string, std::string>>().swap(w.Etykiety);
    std::vector<std::string>().swap(w.Komunikaty);
    maszyna.WyczyscPaO();
    w.Komunikaty.push_back("[Błąd krytyczny] - Program za duży: asemblacja potrzebuje więcej niż " +
                           std::to_string(w.MaksPamieci >> 20) + " MB pamięci.");
}

} // namespace

void KompilujProgram(const std::vector<std::string>& zrodlo, const TListaRozkazow& lista,
                     TMaszyna& maszyna, TArchitektura& arch, TDziennik& dziennik,
                     TWynikAsemblacji& wynik) {
    // The room of the previous assembly goes back first, so that it counts for nobody.
    for (TLinie* l :
         {&wynik.Zrodlo, &wynik.Czyste, &wynik.Rozmieszczone, &wynik.Rozwiazane, &wynik.Slowa})
        l->Zwolnij();
    std::vector<std::pair<std::string, std::string>>().swap(wynik.Etykiety);
    std::vector<std::string>().swap(wynik.Komunikaty);
    maszyna.WyczyscPaO();
    wynik.Budzet.Zeruj(wynik.MaksPamieci);
    try {
        std::size_t bajty = 0;
        for (const auto& l : zrodlo)
            bajty += l.size() + sizeof(std::size_t);
        if (wynik.Budzet.Wez(bajty)) {
            wynik.Zrodlo = TLinie(zrodlo);
            OczyscTekst(wynik);
            RozmiescEtykiety(wynik, lista);
            RozwiazArgumenty(wynik, lista);
            KodujSlowa(wynik, lista);
            ZaladujPamiec(wynik, maszyna);
        }
    } catch (const std::bad_alloc&) {
        wynik.Budzet.Przekrocz();
    }
    if (wynik.Budzet.Przekroczony()) Odmowa(wynik, maszyna);
    UstawWektoryPrzerwan(wynik, arch);
    PokazEtykiety(wynik, dziennik);
}
