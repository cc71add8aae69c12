#pragma once
// The way back, so "Takt wstecz" and "Rozkaz wstecz" return the machine exactly to a state
// it was in.
//
// The machine is deterministic, so a tick itself records nothing: every 128 ticks, and
// before a tick that follows a change made between ticks, the machine's own state is
// kept whole (a "punkt"). Going back restores the last punkt before the target and runs
// the ticks from there again, quietly. What the machine cannot run again by itself is
// recorded as it happens, and is rare: a PaO cell before a write, characters taken from
// or printed to the console, the debug log's length before a tick's first message, the
// text of a manual tick, and the state before the first change made between two ticks
// (register edits, interrupt buttons, the keyboard), which goes back with the tick after
// it. The oldest ticks fall off first.

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <type_traits>
#include <variant>
#include <vector>

#include "Konsola.h"
#include "Maszyna.h"
#include "Sygnaly.h"

class TDziennik;

// Empty when the two machines are in the same state (slots, flags, row and text, PaO,
// console and debug log), otherwise the first difference in words.
std::string RoznicaStanow(const TMaszyna& a, const TMaszyna& b);

class THistoria {
  public:
    static constexpr std::size_t DomyslnaLiczbaTaktow = 1'000'000;
    static constexpr std::size_t DomyslnyBudzet = std::size_t{128} << 20;
    // Ticks between two kept states: going back one tick runs at most this many again.
    static constexpr int OdstepPunktow = 128;

    THistoria() = default;
    THistoria(const THistoria&) = delete;
    THistoria& operator=(const THistoria&) = delete;

    // At most `takty` ticks (at least 1) and about `bajty` bytes; clears the history.
    void UstawRozmiar(std::size_t takty, std::size_t bajty);
    std::size_t MaksTaktow() const { return maksTaktow; }
    std::size_t Budzet() const { return budzet; }

    // Ticks that can be undone.
    std::size_t Takty() const { return static_cast<std::size_t>(n - Pierwszy()); }
    bool Pusta() const { return n == Pierwszy(); }
    // Bytes held.
    std::size_t Pamiec() const { return sizeof(*this) + bajty; }
    void Wyczysc();

    // Undoes the last tick (and the changes made since it); false when there is none.
    bool CofnijTakt(TMaszyna& m);
    // Undoes back to the start of the current instruction, or of the previous one when
    // the machine stands at a boundary. The number of ticks undone.
    std::size_t CofnijRozkaz(TMaszyna& m);

    // After going back, for the views: a slot's value before the tick that led to the
    // state shown, and that tick's messages. Elsewhere the value as it is, and nothing.
    std::uint32_t WartoscPrzedOstatnim(const TMaszyna& m, int slot) const;
    std::vector<std::string> KomunikatyOstatniego(const TDziennik& d) const;

    // ---- called by the machine ----
    bool Odtwarza() const { return odtwarzanie; }
    // The hot path: a counter, a count and the flags.
    void PrzedTaktem(const TMaszyna& m) {
        if (--doPunktu <= 0) [[unlikely]]
            PrzedTaktemRzadko(m);
        wTakcie = true;
    }
    void PoTakcie(const TMaszyna& m, bool reczny) {
        wTakcie = false;
        zmiana = false;
        powrot = false;
        if (reczny) [[unlikely]]
            ZapiszReczny(m);
        // The oldest tick falls off as the count passes it (see Pierwszy); what only the
        // fallen ticks needed goes in batches, when a state is kept.
        ++n;
    }
    // A series of ticks run back to back (TMaszyna::Takty). Nothing can happen between two
    // of them, so the flags PrzedTaktem and PoTakcie set are set once for the whole series.
    // The series counts down to the next kept state itself, and a tick does not count
    // here: while the series lasts, the tick's number follows the machine's own count, read
    // only when something is recorded.
    //   int d = PoczatekSerii(m);
    //   for every tick: if (--d <= 0) d = PunktSerii(m); m's count goes up; the tick.
    //   KoniecSerii(d);
    // (TMaszyna::Takty counts in parts: the ticks up to the one a state comes before.)
    int PoczatekSerii(const TMaszyna& m) {
        wTakcie = true;
        zmiana = false;
        powrot = false;
        licznikSerii = &m.numerTaktu;
        bazaSerii = n - (m.numerTaktu + 1);
        return doPunktu;
    }
    int PunktSerii(const TMaszyna& m) {
        n = *licznikSerii + bazaSerii + 1; // the tick about to start
        PrzedTaktemRzadko(m);
        return doPunktu;
    }
    void KoniecSerii(int doPunktuSerii) {
        n = *licznikSerii + bazaSerii + 1;
        licznikSerii = nullptr;
        doPunktu = doPunktuSerii;
        wTakcie = false;
    }
    // Anything about to change the machine between two ticks: what it changes is undone
    // together with the next tick.
    void PozaTaktem(const TMaszyna& m) {
        if (!wTakcie && !zmiana) ZapiszZmiane(m);
    }
    // A PaO cell about to be written, between ticks or in one.
    void PrzedZapisemPaO(const TMaszyna& m, std::int64_t adres);
    // The same for a write in a tick ("pisz"), at an address a register holds. A loop
    // writes the same cells over and over: a cell with a record since the last kept state
    // needs no other (see PrzedZapisemPaO), and the newest such cell is known without a look.
    void PrzedZapisemWTakcie(const TMaszyna& m, std::int64_t adres) {
        if (ostatniaKomorka == adres) [[likely]]
            return;
        PrzedZapisemPaO(m, adres);
    }
    void Pobrano(std::string znaki) {
        Licz();
        Dodaj(dodatki.emplace_back(TDodatek{n, !wTakcie, TPobrane{std::move(znaki)}}));
    }
    void PrzedWypisaniem(const TKonsola& k) {
        Licz();
        Dodaj(dodatki.emplace_back(TDodatek{n, !wTakcie, TWyjscie{k.StanWyjscia()}}));
    }
    void PrzedKomunikatem(const TDziennik& d);

  private:
    // A ring in one block of memory: taking from either end only moves an index, nothing
    // is ever shifted, and clearing keeps the block, so a history refilled after a reset
    // allocates nothing. The block doubles when full.
    template <class T> class TKolejka {
      public:
        // The next element as the block holds it, for a plain T the caller fills whole.
        T& Nowy() {
            static_assert(std::is_trivially_copyable_v<T>);
            if (ile == dane.size()) Powieksz();
            return (*this)[ile++];
        }
        std::size_t size() const { return ile; }
        bool empty() const { return ile == 0; }
        T& operator[](std::size_t i) { return dane[(poczatek + i) & (dane.size() - 1)]; }
        const T& operator[](std::size_t i) const {
            return dane[(poczatek + i) & (dane.size() - 1)];
        }
        T& front() { return (*this)[0]; }
        T& back() { return (*this)[ile - 1]; }
        void push_back(T w) { emplace_back(std::move(w)); }
        template <class... A> T& emplace_back(A&&... a) {
            if (ile == dane.size()) Powieksz();
            T& t = (*this)[ile++];
            t = T{std::forward<A>(a)...};
            return t;
        }
        void pop_back() {
            Zwolnij(back());
            --ile;
        }
        void pop_front() {
            Zwolnij(front());
            poczatek = (poczatek + 1) & (dane.size() - 1);
            --ile;
        }
        void clear() {
            while (ile > 0)
                pop_back();
            poczatek = 0;
        }

      private:
        // What an element holds outside the block goes with it.
        static void Zwolnij(T& t) {
            if constexpr (!std::is_trivially_destructible_v<T>) t = T{};
        }
        void Powieksz() {
            std::vector<T> nowe(std::max<std::size_t>(16, dane.size() * 2));
            for (std::size_t i = 0; i < ile; ++i)
                nowe[i] = std::move((*this)[i]);
            dane = std::move(nowe);
            poczatek = 0;
        }
        std::vector<T> dane; // a power of two elements, or none
        std::size_t poczatek = 0, ile = 0;
    };

    // A kept state: the machine's own state; PaO, the console and the log go back by their
    // records. What trimming and the look for a state read is kept apart from the state
    // itself, in a ring of its own: trimming reads the oldest states, long out of the cache,
    // and a small ring stays in it.
    struct TPunkt {
        std::uint64_t takt; // the tick this state comes before
        bool przedZmiana;   // the state before the changes made ahead of that tick
        bool tekstWlasny;   // the text is the next of `teksty`, not a row's
    };
    struct TStanPunktu {
        bool gotowe, zatrzymana;
        std::int32_t wiersz, wierszTekstu;
        std::size_t dlugoscWejscia; // of the console's input line
        // Values and flags only: masks and widths do not change while the history lasts.
        std::array<std::uint32_t, LiczbaSlotow + 1> wartosci;
        std::array<bool, LiczbaSlotow + 1> flagi;
    };
    // A PaO cell before a write: the commonest record, kept apart as plain data.
    struct TKomorkaPrzed {
        std::uint64_t takt;
        std::int64_t adres;
        std::int32_t kod, argument; // what the cell held, when it existed
        TRodzajKomorki rodzaj;
        bool przedTaktem;
        bool istniala;
    };
    struct TPobrane {
        std::string znaki;
    };
    struct TWyjscie {
        TKonsola::TStanWyjscia stan;
    };
    using TCo = std::variant<TPobrane, TWyjscie>;
    struct TDodatek {
        std::uint64_t takt; // during this tick, or ahead of it when przedTaktem
        bool przedTaktem;
        TCo co;
    };
    void Dodaj(TDodatek& d);
    struct TDlugoscDziennika {
        std::uint64_t takt;
        bool przedTaktem;
        std::size_t linie; // before the first message of that tick (or of the gap before it)
    };
    struct TReczny {
        std::uint64_t takt;
        std::string tekst;
    };

    void PrzedTaktemRzadko(const TMaszyna& m);
    // The oldest tick that can be undone: the ring keeps the newest maksTaktow ticks, and a
    // way back or the budget may have dropped more. `pierwszy` itself is brought up to date
    // only when it matters, so a tick does not pay for it.
    std::uint64_t Pierwszy() const {
        return std::max(pierwszy, n > maksTaktow ? n - maksTaktow : std::uint64_t{0});
    }
    // Ticks that fall off are dropped this many at a time.
    static constexpr std::uint64_t PartiaPrzyciecia = 16 * OdstepPunktow;
    void ZapiszPunkt(const TMaszyna& m, bool przedZmiana);
    void ZapiszZmiane(const TMaszyna& m);
    void ZapiszReczny(const TMaszyna& m);
    // Drops what only ticks before `nowyPierwszy` need.
    void Przytnij(std::uint64_t nowyPierwszy);
    void PilnujBudzetu();
    // Brings the machine to the state before tick j, without the changes made ahead of it.
    void Przywroc(TMaszyna& m, std::uint64_t j);
    void Cofnij(TMaszyna& m, const TDodatek& d);
    // Drops the text a kept state holds, the oldest's or the newest's.
    void UsunTekstPunktu(const TPunkt& p, bool najstarszy);
    static constexpr std::size_t Rozmiar(const TPunkt&) {
        return sizeof(TPunkt) + sizeof(TStanPunktu);
    }
    void UsunNajstarszyPunkt();
    void UsunNajnowszyPunkt();
    static std::size_t Rozmiar(const TDodatek& d);

    std::size_t maksTaktow = DomyslnaLiczbaTaktow;
    std::size_t budzet = DomyslnyBudzet;

    TKolejka<TPunkt> punkty;
    TKolejka<TStanPunktu> stany;  // of `punkty`, one for one
    TKolejka<std::string> teksty; // of the kept states whose text is not a row's
    TKolejka<TDodatek> dodatki;   // of the console
    TKolejka<TKomorkaPrzed> komorki;
    TKolejka<TDlugoscDziennika> dziennik;
    TKolejka<TReczny> reczne;
    std::size_t bajty = 0;

    std::uint64_t n = 0; // the next tick's number; during a series, see Licz
    // During a series: the machine's count, and what makes it the tick's number.
    const std::uint64_t* licznikSerii = nullptr;
    std::uint64_t bazaSerii = 0;
    // Brings `n` up to the tick in progress; everything that records calls it first.
    void Licz() {
        if (licznikSerii) n = *licznikSerii + bazaSerii;
    }
    // A cell with a record made since the last kept state, or BrakKomorki. A tick writes
    // at an address a register holds, never negative.
    static constexpr std::int64_t BrakKomorki = -1;
    std::int64_t ostatniaKomorka = BrakKomorki;
    std::uint64_t pierwszy = 0; // with Pierwszy(), the oldest tick that can be undone
    int doPunktu = 0;           // ticks until the next kept state
    // Side by side, so a tick's end clears them in one store.
    bool wTakcie = false;
    bool zmiana = false; // changed between ticks since the last tick
    // What the last way back left for the views.
    bool powrot = false;
    bool odtwarzanie = false;
    std::array<std::uint32_t, LiczbaSlotow + 1> przedOstatnim{};
    std::size_t dziennikPrzedOstatnim = 0;
};
