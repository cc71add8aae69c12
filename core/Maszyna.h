#pragma once
// The simulated machine: register slots, buses, PaO, the signals and the tick.

#include <array>
#include <cstdint>
#include <limits>
#include <string>
#include <string_view>

#include "Architektura.h"
#include "PaO.h"
#include "PamiecMikroprogramu.h"
#include "Sloty.h"
#include "Sygnaly.h"

class TKonsola;
class TDziennik;
class THistoria;
class TPunktyZatrzymania;
class TSluchaczMaszyny;

// What the machine is doing: nothing, manual ticks of signals chosen on the schematic, or
// running a program ("Program").
enum class TTrybPracy : std::uint8_t { Bezczynny, Reczny, Program };

// What one tick did: nothing (the machine is halted), a tick, or a tick that finished an
// instruction (the next row is the fetch).
enum class TWynikTaktu : std::uint8_t { Brak, Takt, KoniecRozkazu };

// What a series of ticks did (TMaszyna::Takty).
struct TWynikSerii {
    std::uint64_t Takty = 0;
    std::uint64_t Rozkazy = 0;  // ticks among them that finished an instruction
    bool KoniecRozkazu = false; // the last one did
};

// Run state shared by the run commands, the breakpoints and the windows.
struct TStanPracy {
    TTrybPracy TrybPracy = TTrybPracy::Bezczynny;
    bool ZadanieStopu = false;
};

class TMaszyna {
  public:
    TMaszyna(TArchitektura& architektura, TPamiecMikroprogramu& pamiec, TKonsola& konsola,
             TDziennik& dziennik, TPunktyZatrzymania& punkty, TStanPracy& stan);

    void UstawSluchacza(TSluchaczMaszyny* s) { sluchacz = s; }
    // Whether the listener hears the start of every tick; off when nobody needs it.
    void UstawPoczatkiTaktow(bool tak) { poczatkiTaktow = tak; }
    // Counts ticks as they start (undo replays count too): tells one tick from the next.
    std::uint64_t NumerTaktu() const { return numerTaktu; }
    // Where ticks are recorded for going back; nullptr records nothing.
    void UstawHistorie(THistoria* h);
    THistoria* Historia() const { return historia; }

    // Widths: address 5..24, code 3..8; anything else is refused and changes nothing.
    bool UstawSzerokosci(int bityAdresu, int bityKodu);
    void Reset();

    std::uint32_t Wartosc(int slot) const {
        return Poprawny(slot) ? wartosci[static_cast<std::size_t>(slot)] : 0;
    }
    int Szerokosc(int slot) const {
        return Poprawny(slot) ? szerokosci[static_cast<std::size_t>(slot)] : 0;
    }
    std::uint32_t Maska(int slot) const {
        return Poprawny(slot) ? maski[static_cast<std::size_t>(slot)] : 0;
    }
    bool Flaga(int slot) const { return Poprawny(slot) && flagi[static_cast<std::size_t>(slot)]; }
    std::string WartoscTekst(int slot) const;
    void UstawRejestr(int slot, std::uint32_t wartosc);
    void Zwieksz(int slot);
    void Zmniejsz(int slot);

    int BityAdresu() const { return bityAdresu; }
    int BityKodu() const { return bityKodu; }
    int BitySlowa() const { return bityAdresu + bityKodu; }
    std::uint32_t MaskaAdresu() const { return maskaAdresu; }
    std::uint32_t MaskaKodu() const { return maskaKodu; }
    std::uint32_t MaskaSlowa() const { return Maska(Slot::AK); }
    bool Zatrzymana() const { return zatrzymana; }
    bool Zajeta(int magistrala) const { return Flaga(magistrala); }
    std::int32_t BiezacyWiersz() const { return biezacyWiersz; }
    // The signal text of the last tick. While the microprogram runs it is the row's own
    // text, read from the table and never copied in a tick.
    const std::string& BiezacyTekst() const {
        return wierszTekstu == TekstWlasny ? biezacyTekst : pamiec.Wiersz(wierszTekstu).Sygnaly;
    }
    // Keeps the current text when the table is about to be rebuilt under it.
    void UtrwalBiezacyTekst();
    bool UrzadzenieGotowe() const { return urzadzenieGotowe; }
    // The instruction register I as a whole.
    std::uint32_t RejestrI() const;

    // PaO
    [[gnu::always_inline]] std::uint32_t CzytajPaO(std::int64_t adres) const {
        return pao.Czytaj(adres, bityAdresu);
    }
    void PiszPaO(std::int64_t adres, std::uint32_t slowo) {
        if (historia) ZapiszKomorke(adres);
        pao.Pisz(adres, slowo, bityAdresu);
    }
    // Loading the memory: the history cannot go back past it.
    void WstawKomorke(std::int64_t adres, std::int32_t kod, std::int32_t argument,
                      TRodzajKomorki rodzaj) {
        ZapomnijHistorie();
        pao.Wstaw(adres, kod, argument, rodzaj);
    }
    void WyczyscPaO() {
        ZapomnijHistorie();
        pao.Wyczysc();
    }
    void RezerwujPaO(std::size_t komorek) { pao.Rezerwuj(komorek); }
    const TPaO& PaO() const { return pao; }

    // Signals
    bool AktywnySygnal(std::string_view nazwa) const {
        return SlowoWTekscie(BiezacyTekst(), nazwa);
    }
    std::string TekstWybranych() const;
    void WyczyscWybrane();

    // One microinstruction
    void WyczyscMagistrale();
    void WykonajMikrorozkaz(std::string_view tekst);
    void WykonajZestaw(const TZestawSygnalow& zestaw);
    void ZglosKomunikat(std::string_view tekst);

    // Run control
    TWynikTaktu Takt();
    // At most `maks` ticks of the microprogram, each exactly as Takt() runs it, in one loop
    // that pays the checks of a call once. It stops after a tick that halted the machine,
    // after which ZadanieStopu is set, or, with `jedenRozkaz`, that finished an instruction.
    TWynikSerii Takty(std::uint64_t maks, bool jedenRozkaz);
    TWynikTaktu TaktReczny();
    std::int32_t NastepnyWiersz(std::int32_t r) const;
    bool WarunekSpelniony(std::string_view nazwa) const;
    bool WarunekSpelniony(TWarunek w) const;

    // Devices and interrupts
    void ZglosPrzerwanie(int n);
    void Przeslanie();
    void PrzeslanieZKlawiatury();
    // The input line's key-release rule: request 8, and completion of a "start" that
    // found the line empty in the last tick.
    void KlawiszWLiniiWejscia();

    // Breakpoints; true when one held.
    bool SprawdzPunktyZatrzymania();
    std::int32_t WartoscObserwowana(int co, std::int32_t adresKomorki) const;

    TArchitektura& Architektura() { return arch; }
    const TArchitektura& Architektura() const { return arch; }
    TKonsola& Konsola() { return konsola; }
    TStanPracy& Stan() { return stan; }

  private:
    friend class THistoria;
    friend std::string RoznicaStanow(const TMaszyna& a, const TMaszyna& b);

    static bool Poprawny(int slot) { return slot >= 1 && slot <= 29; }
    std::uint32_t& W(int slot) { return wartosci[static_cast<std::size_t>(slot)]; }
    std::uint32_t W(int slot) const { return wartosci[static_cast<std::size_t>(slot)]; }
    bool& F(int slot) { return flagi[static_cast<std::size_t>(slot)]; }
    std::uint32_t M(int slot) const { return maski[static_cast<std::size_t>(slot)]; }

    // With Sprawdzaj false the bus and JAL checks are left out: only for a tick that
    // starts from empty buses with a set that BezKomunikatow() clears, where they cannot fail.
    template <bool Sprawdzaj>
    void Wystaw(int magistrala, std::uint32_t wartosc, std::string_view komunikatZajetej);
    template <bool Sprawdzaj>
    void Zatrzasnij(int rejestr, int magistrala, std::string_view komunikatPustej);
    template <bool Sprawdzaj> bool JalGotowy(std::string_view komunikat);
    template <bool Sprawdzaj> void WykonajKroki(std::uint64_t kroki);
    void PiszWTakcie();
    void PoczatekTaktu();
    void WyczyscMagistraleTaktu();
    void WykonajPrzygotowany(const TPrzygotowanie& p);
    std::int32_t Cel(const TWierszMikroprogramu& w) const;
    std::int32_t WykonajWiersz(const TWierszMikroprogramu& w, std::int32_t r);
    template <bool ZHistoria, bool ZPunktami>
    TWynikSerii TaktySerii(std::uint64_t maks, bool jedenRozkaz);
    void WynikJal(std::uint64_t r);
    void Eni();
    void Wei();
    template <bool Sprawdzaj> void Wykonaj(TSygnal s);
    void ZapiszKomorke(std::int64_t adres);
    TWynikTaktu TaktRecznyZTekstem(std::string tekst);
    void ZapomnijHistorie();
    // A change made between two ticks (register edits, requests, the keyboard).
    void ZmianaPozaTaktem();

    TArchitektura& arch;
    TPamiecMikroprogramu& pamiec;
    TKonsola& konsola;
    TDziennik& dziennik;
    TPunktyZatrzymania& punkty;
    TStanPracy& stan;
    TSluchaczMaszyny* sluchacz = nullptr;
    bool poczatkiTaktow = true;
    THistoria* historia = nullptr;
    int bityAdresu = 5, bityKodu = 3;
    std::uint32_t maskaAdresu = 31, maskaKodu = 7;
    std::array<std::uint32_t, 30> maski{};
    std::array<std::int32_t, 30> szerokosci{};

    // What a tick writes, side by side in as few cache lines as can be. A load whose
    // address matches an earlier store's in the low 12 bits may wait for it; the narrower
    // the stores, the less a tick's speed depends on where the machine lands in memory
    // against the rows it reads (measured: the window's run varied less between processes).
    static constexpr std::int32_t TekstWlasny = std::numeric_limits<std::int32_t>::min();
    std::uint64_t numerTaktu = 0;
    std::int32_t biezacyWiersz = -1;
    std::int32_t wierszTekstu = TekstWlasny; // the row whose text is current, or TekstWlasny
    bool zatrzymana = false;
    bool urzadzenieGotowe = false;
    // The slots 1..29, each property in an array of its own: a kept state of the history
    // copies the values and the flags as two blocks. The flags are bool, not a byte type:
    // a store through a byte may alias anything, and would make a tick reload every member.
    std::array<bool, 30> flagi{};
    std::array<std::uint32_t, 30> wartosci{};
    std::string biezacyTekst; // the text when it is not a row's
    TPaO pao;
};
