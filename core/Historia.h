#pragma once
// The way back: what every tick changed, so "Takt wstecz" and "Rozkaz wstecz" can return
// the machine exactly to a state it was in.
//
// A tick costs one fixed-size record (the old row, the old bus flags, the halted and
// device flags, and a mask of the slots it may write) plus the old values of those slots
// in a ring of words. Which slots a tick may write follows from its signal set, so
// nothing is compared while it runs. Rare things (a PaO write, a character taken from or
// printed to the console, the first machine message, the text of a manual tick, and a
// change made between two ticks) go to a side list. The oldest ticks fall off first.

#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <string>
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

    THistoria() = default;
    THistoria(const THistoria&) = delete;
    THistoria& operator=(const THistoria&) = delete;

    // At most `takty` ticks (at least 1) and about `bajty` bytes; clears the history.
    void UstawRozmiar(std::size_t takty, std::size_t bajty);
    std::size_t MaksTaktow() const { return maksTaktow; }
    std::size_t Budzet() const { return budzet; }

    // Ticks that can be undone.
    std::size_t Takty() const { return wpisy.Liczba(); }
    bool Pusta() const { return wpisy.Pusty(); }
    // Bytes held, reserved space included.
    std::size_t Pamiec() const;
    void Wyczysc();

    // Undoes the last tick (and the changes made since it); false when there is none.
    bool CofnijTakt(TMaszyna& m);
    // Undoes back to the start of the current instruction, or of the previous one when
    // the machine stands at a boundary. The number of ticks undone.
    std::size_t CofnijRozkaz(TMaszyna& m);

    // What the last tick left for the views: a slot's value before it, and its messages.
    std::uint32_t WartoscPrzedOstatnim(const TMaszyna& m, int slot) const;
    std::vector<std::string> KomunikatyOstatniego(const TDziennik& d) const;

    // ---- called by the machine ----
    // The hot path: a few stores per tick, no call in the common case.
    void PrzedTaktem(const TMaszyna& m, const TZestawSygnalow& zestaw, bool reczny) {
        if (wpisy.Liczba() >= miejsceWpisow || wartosci.Wolne() < LiczbaSlotow + 1) [[unlikely]]
            ZrobMiejsce();
        if (nowa) [[unlikely]]
            Otworz(m);
        // A bus without its flag holds 0 (a change between ticks is saved whole), so only
        // the buses in use need their values.
        const auto& s = m.sloty;
        const std::uint32_t maska = zestaw.sloty |
                                    std::uint32_t{s[Slot::MagA].flaga} << Slot::MagA |
                                    std::uint32_t{s[Slot::MagS].flaga} << Slot::MagS |
                                    std::uint32_t{s[Slot::JAL_in].flaga} << Slot::JAL_in |
                                    std::uint32_t{s[Slot::JAL_out].flaga} << Slot::JAL_out;
        const auto ile = static_cast<std::uint8_t>(wartosci.DodajWedlugMaski(
            maska, [&s](int slot) { return s[static_cast<std::size_t>(slot)].wartosc; }));
        wpisy.Dodaj({maska, m.biezacyWiersz, oczekujace,
                     static_cast<std::uint8_t>(m.urzadzenieGotowe | m.zatrzymana << 1 |
                                               (reczny ? Reczny : 0)),
                     ile});
        oczekujace = 0;
        migawka = false;
        komunikat = false;
        wTakcie = true;
    }
    void PoTakcie(const TMaszyna& m, bool reczny) {
        if (reczny) [[unlikely]]
            ZapiszTekst(m);
        wTakcie = false;
        komunikat = false;
    }
    // Anything about to change the machine between two ticks: what it changes is undone
    // together with the next tick.
    void PozaTaktem(const TMaszyna& m) {
        if (!wTakcie && !migawka) ZapiszMigawke(m);
    }
    void PrzedZapisemPaO(const TPaO& pao, std::int64_t adres);
    void Pobrano(std::string znaki) { Dodaj(TPobrane{std::move(znaki)}); }
    void PrzedWypisaniem(const TKonsola& k) { Dodaj(TWyjscie{k.StanWyjscia()}); }
    void PrzedKomunikatem(const TDziennik& d);

  private:
    static constexpr std::uint8_t Reczny = 1 << 2;

    struct TWpis {
        std::uint32_t sloty;   // whose old values are in `wartosci`, in ascending order
        std::int32_t wiersz;   // the row before the tick
        std::uint16_t dodatki; // side records of this tick, those from before it included
        std::uint8_t flagi;    // device ready, halted, manual
        std::uint8_t wartosci; // how many old values
    };
    static_assert(sizeof(TWpis) == 12);

    // Side records; each carries the state before the change it stands for.
    struct TKomorkaPrzed {
        std::int64_t adres;
        bool istniala;
        TKomorka stara;
    };
    struct TPobrane {
        std::string znaki;
    };
    struct TWyjscie {
        TKonsola::TStanWyjscia stan;
    };
    struct TDziennikPrzed {
        std::size_t linie;
    };
    // The text a manual tick left; no undo of its own, it is the text before the next.
    struct TTekst {
        std::string tekst;
    };
    struct TMigawka {
        std::array<std::uint32_t, LiczbaSlotow + 1> wartosci;
        std::array<std::uint8_t, LiczbaSlotow + 1> flagi;
        bool gotowe;
        bool zatrzymana;
    };
    using TCo = std::variant<TKomorkaPrzed, TPobrane, TWyjscie, TDziennikPrzed, TTekst, TMigawka>;
    struct TDodatek {
        TCo co;
        bool przedTaktem; // made between the previous tick and this one
    };

    // A ring whose capacity grows on demand; the caller makes room before adding.
    template <class T> class TPierscien {
      public:
        std::size_t Liczba() const { return liczba; }
        std::size_t Pojemnosc() const { return dane.size(); }
        std::size_t Wolne() const { return dane.size() - liczba; }
        bool Pusty() const { return liczba == 0; }
        void Dodaj(const T& w) {
            dane[koniec] = w;
            if (++koniec == dane.size()) koniec = 0;
            ++liczba;
        }
        // `daj(i)` for every set bit i of `maska`, lowest first; the indices stay in
        // registers. How many were added.
        template <class F> std::size_t DodajWedlugMaski(std::uint32_t maska, F&& daj) {
            T* d = dane.data();
            const std::size_t n = dane.size();
            std::size_t k = koniec, ile = 0;
            for (; maska != 0; maska &= maska - 1, ++ile) {
                d[k] = daj(std::countr_zero(maska));
                if (++k == n) k = 0;
            }
            koniec = k;
            liczba += ile;
            return ile;
        }
        T Zdejmij() {
            koniec = (koniec == 0 ? dane.size() : koniec) - 1;
            --liczba;
            return dane[koniec];
        }
        // The i-th element counted back from the newest (0 = newest).
        const T& ZKonca(std::size_t i) const {
            return dane[koniec > i ? koniec - 1 - i : koniec + dane.size() - 1 - i];
        }
        T& Ostatni() { return dane[koniec == 0 ? dane.size() - 1 : koniec - 1]; }
        const T& Najstarszy() const { return ZKonca(liczba - 1); }
        void UsunNajstarsze(std::size_t ile) { liczba -= ile; }
        void Powieksz(std::size_t pojemnosc) {
            std::vector<T> nowe(pojemnosc);
            for (std::size_t i = 0; i < liczba; ++i)
                nowe[i] = ZKonca(liczba - 1 - i);
            dane = std::move(nowe);
            koniec = liczba == dane.size() ? 0 : liczba;
        }
        void Wyczysc() { koniec = liczba = 0; }
        void Zwolnij() {
            dane = {};
            Wyczysc();
        }

      private:
        std::vector<T> dane;
        std::size_t koniec = 0, liczba = 0;
    };

    void ZrobMiejsce();
    void UsunNajstarszy();
    void Otworz(const TMaszyna& m);
    void ZapiszMigawke(const TMaszyna& m);
    void ZapiszTekst(const TMaszyna& m);
    void Dodaj(TCo co);
    void Cofnij(TMaszyna& m, const TDodatek& d);
    void PilnujBudzetu();
    // The text before the newest tick, once that tick's side records are gone.
    void PrzywrocTekst(TMaszyna& m) const;
    static std::size_t Rozmiar(const TDodatek& d);

    std::size_t maksTaktow = DomyslnaLiczbaTaktow;
    std::size_t budzet = DomyslnyBudzet;

    TPierscien<TWpis> wpisy;
    std::size_t miejsceWpisow = 0; // ticks that fit before something must give way
    TPierscien<std::uint32_t> wartosci;
    std::deque<TDodatek> dodatki;
    std::size_t bajtyDodatkow = 0;
    // The text before the oldest tick: a row's, or one kept whole.
    struct TTekstPrzed {
        bool zWiersza = false;
        std::int32_t wiersz = -1;
        std::string tekst;
    } tekstPrzedNajstarszym;

    std::uint16_t oczekujace = 0; // side records made since the last tick
    bool nowa = true;             // nothing recorded since the last clear
    bool migawka = false;         // the state after the last tick is saved already
    bool komunikat = false;       // the log length before this tick is saved already
    bool wTakcie = false;
};
