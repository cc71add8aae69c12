#include "Maszyna.h"

#include "Dziennik.h"
#include "Historia.h"
#include "Konsola.h"
#include "PunktyZatrzymania.h"
#include "Sluchacz.h"

namespace {

enum class TRodzajSzerokosci { Adres, Kod, Slowo, Stala };
struct TSzerokoscSlotu {
    TRodzajSzerokosci rodzaj;
    int bity;
};

constexpr std::array<TSzerokoscSlotu, 30> SzerokosciSlotow = {{
    {TRodzajSzerokosci::Stala, 0},                                // 0 unused
    {TRodzajSzerokosci::Adres, 0},                                // 1 L
    {TRodzajSzerokosci::Slowo, 0}, {TRodzajSzerokosci::Slowo, 0}, // 2 X, 3 Y
    {TRodzajSzerokosci::Slowo, 0},                                // 4 Z
    {TRodzajSzerokosci::Stala, 8}, {TRodzajSzerokosci::Stala, 8}, // 5 RB_we, 6 RB_wy
    {TRodzajSzerokosci::Stala, 1},                                // 7 G
    {TRodzajSzerokosci::Stala, 8}, {TRodzajSzerokosci::Stala, 8}, // 8 RZ, 9 RM
    {TRodzajSzerokosci::Stala, 8},                                // 10 RP
    {TRodzajSzerokosci::Adres, 0}, {TRodzajSzerokosci::Adres, 0}, // 11 AP, 12 A
    {TRodzajSzerokosci::Slowo, 0}, {TRodzajSzerokosci::Kod, 0},   // 13 S, 14 KOD
    {TRodzajSzerokosci::Adres, 0}, {TRodzajSzerokosci::Adres, 0}, // 15 AD, 16 bus A
    {TRodzajSzerokosci::Slowo, 0}, {TRodzajSzerokosci::Slowo, 0}, // 17 bus S, 18 AK
    {TRodzajSzerokosci::Stala, 0}, {TRodzajSzerokosci::Stala, 0}, // 19 JAL_in, 20 JAL_out
    {TRodzajSzerokosci::Stala, 1}, {TRodzajSzerokosci::Stala, 1}, // 21 N, 22 NP
    {TRodzajSzerokosci::Stala, 1}, {TRodzajSzerokosci::Stala, 1}, // 23 NM, 24 sign flag
    {TRodzajSzerokosci::Stala, 0}, {TRodzajSzerokosci::Stala, 0}, // 25 INT, 26 PAK
    {TRodzajSzerokosci::Stala, 0},                                // 27 ZAK
    {TRodzajSzerokosci::Adres, 0}, {TRodzajSzerokosci::Adres, 0}, // 28 U, 29 V
}};

constexpr std::uint32_t MaskaBitow(int bity) {
    return bity >= 32 ? 0xFFFFFFFFu : (std::uint32_t{1} << bity) - 1;
}

} // namespace

TMaszyna::TMaszyna(TArchitektura& architektura, TPamiecMikroprogramu& pamiec, TKonsola& konsola,
                   TDziennik& dziennik, TPunktyZatrzymania& punkty, TStanPracy& stan)
    : arch(architektura), pamiec(pamiec), konsola(konsola), dziennik(dziennik), punkty(punkty),
      stan(stan) {
    UstawSzerokosci(5, 3);
}

void TMaszyna::UstawHistorie(THistoria* h) {
    ZapomnijHistorie();
    historia = h;
    ZapomnijHistorie();
}

void TMaszyna::ZapomnijHistorie() {
    if (historia) historia->Wyczysc();
}

void TMaszyna::ZmianaPozaTaktem() {
    if (historia) historia->PozaTaktem(*this);
}

void TMaszyna::ZapiszKomorke(std::int64_t adres) {
    historia->PrzedZapisemPaO(*this, adres);
}

bool TMaszyna::UstawSzerokosci(int adres, int kod) {
    if (adres < 5 || adres > 24 || kod < 3 || kod > 8) return false;
    ZapomnijHistorie();
    bityAdresu = adres;
    bityKodu = kod;
    pao.UstawBityAdresu(adres);
    maskaAdresu = MaskaBitow(adres);
    maskaKodu = MaskaBitow(kod);
    for (int i = 1; i <= LiczbaSlotow; ++i) {
        const auto& sz = SzerokosciSlotow[static_cast<std::size_t>(i)];
        int w = sz.bity;
        switch (sz.rodzaj) {
        case TRodzajSzerokosci::Adres:
            w = adres;
            break;
        case TRodzajSzerokosci::Kod:
            w = kod;
            break;
        case TRodzajSzerokosci::Slowo:
            w = adres + kod;
            break;
        case TRodzajSzerokosci::Stala:
            break;
        }
        szerokosci[static_cast<std::size_t>(i)] = w;
        maski[static_cast<std::size_t>(i)] = MaskaBitow(w);
    }
    return true;
}

void TMaszyna::Reset() {
    ZapomnijHistorie();
    zatrzymana = false;
    biezacyWiersz = -1;
    wartosci.fill(0);
    flagi.fill(false);
    biezacyTekst.clear();
    wierszTekstu = TekstWlasny;
    urzadzenieGotowe = false;
}

void TMaszyna::UtrwalBiezacyTekst() {
    if (wierszTekstu == TekstWlasny) return;
    biezacyTekst = pamiec.Wiersz(wierszTekstu).Sygnaly;
    wierszTekstu = TekstWlasny;
}

std::string TMaszyna::WartoscTekst(int slot) const {
    return std::to_string(static_cast<std::int32_t>(Wartosc(slot)));
}

void TMaszyna::UstawRejestr(int slot, std::uint32_t wartosc) {
    if (!Poprawny(slot)) return;
    ZmianaPozaTaktem();
    W(slot) = wartosc & M(slot);
    if (slot == Slot::Znak) {
        const std::uint32_t bitZnaku = std::uint32_t{1} << (BitySlowa() - 1);
        if (wartosc != 0)
            W(Slot::AK) |= bitZnaku;
        else
            W(Slot::AK) &= M(Slot::AK) - bitZnaku;
        W(Slot::AK) &= M(Slot::AK);
    }
}

void TMaszyna::Zwieksz(int slot) {
    if (!Poprawny(slot)) return;
    ZmianaPozaTaktem();
    W(slot) = (W(slot) + 1) & M(slot);
}

void TMaszyna::Zmniejsz(int slot) {
    if (!Poprawny(slot)) return;
    ZmianaPozaTaktem();
    W(slot) = (W(slot) - 1) & M(slot);
}

std::uint32_t TMaszyna::RejestrI() const {
    return static_cast<std::uint32_t>((static_cast<std::uint64_t>(W(Slot::KOD)) << bityAdresu) +
                                      W(Slot::AD));
}

std::string TMaszyna::TekstWybranych() const {
    std::string t;
    for (int s = 1; s <= LiczbaSygnalow; ++s)
        if (arch.Sygnaly[static_cast<std::size_t>(s)].Wybrany) {
            t += NazwySygnalow[static_cast<std::size_t>(s)];
            t += ' ';
        }
    return t;
}

void TMaszyna::WyczyscWybrane() {
    for (auto& s : arch.Sygnaly)
        s.Wybrany = false;
}

void TMaszyna::ZglosKomunikat(std::string_view tekst) {
    if (historia) {
        // Ticks run again on the way back said all this the first time.
        if (historia->Odtwarza()) return;
        historia->PrzedKomunikatem(dziennik);
    }
    dziennik.Dopisz(tekst);
    if (sluchacz) sluchacz->Komunikat(tekst);
}

// ---- devices and interrupts ----

void TMaszyna::ZglosPrzerwanie(int n) {
    if (n < 1 || n > 8) return;
    UstawRejestr(Slot::RZ, W(Slot::RZ) | (std::uint32_t{1} << (n - 1)));
}

void TMaszyna::Przeslanie() {
    ZmianaPozaTaktem();
    int d = 0;
    for (int i = 1; i <= 2; ++i)
        if (static_cast<std::int64_t>(W(Slot::AD)) ==
            arch.Urzadzenia[static_cast<std::size_t>(i)].Adres)
            d = i;
    UstawRejestr(Slot::G, konsola.WejsciePuste() ? 0 : 1);
    if (d == 1) {
        if (!konsola.WejsciePuste()) {
            std::string pobrane;
            UstawRejestr(Slot::RB_wy, konsola.PobierzZnak(historia ? &pobrane : nullptr));
            if (historia) historia->Pobrano(std::move(pobrane));
            urzadzenieGotowe = true;
            if (sluchacz) sluchacz->ZmianaKonsoli();
        }
    } else if (d == 2) {
        if (historia) historia->PrzedWypisaniem(konsola);
        konsola.Wypisz(static_cast<std::uint8_t>(W(Slot::RB_we) & 0xFF));
        urzadzenieGotowe = true;
        if (sluchacz) sluchacz->ZmianaKonsoli();
    }
}

void TMaszyna::PrzeslanieZKlawiatury() {
    if (!urzadzenieGotowe) Przeslanie();
}

void TMaszyna::KlawiszWLiniiWejscia() {
    if (zatrzymana) return;
    if (!konsola.WejsciePuste()) ZglosPrzerwanie(8);
    if (stan.TrybPracy != TTrybPracy::Program && AktywnySygnal("start") && !konsola.WejsciePuste())
        PrzeslanieZKlawiatury();
}

// ---- breakpoints ----

std::int32_t TMaszyna::WartoscObserwowana(int co, std::int32_t adresKomorki) const {
    static constexpr std::array<int, 21> Sloty = {
        Slot::AK, Slot::L,  0,        Slot::AD,    Slot::KOD,   Slot::A,    Slot::S,
        0,        Slot::X,  Slot::Y,  Slot::Z,     Slot::MagA,  Slot::MagS, Slot::RZ,
        Slot::RM, Slot::RP, Slot::AP, Slot::RB_we, Slot::RB_wy, Slot::U,    Slot::V};
    if (co == 2) return static_cast<std::int32_t>(RejestrI());
    if (co == KomorkaPamieci) return static_cast<std::int32_t>(CzytajPaO(adresKomorki));
    if (co < 0 || co >= static_cast<int>(Sloty.size())) return 0;
    return static_cast<std::int32_t>(W(Sloty[static_cast<std::size_t>(co)]));
}

bool TMaszyna::SprawdzPunktyZatrzymania() {
    if (punkty.Ignoruj || punkty.Puste()) return false;
    bool trafiony = false;
    for (int k = 1; k <= punkty.Count(); ++k) {
        const TPunktZatrzymania& p = punkty.Punkt(k);
        if (RelacjaSpelniona(p, WartoscObserwowana(p.Co, p.AdresKomorki))) {
            ZglosKomunikat("Breakpoint " + std::to_string(k) + " OK = " + punkty.OpisPunktu(k));
            stan.ZadanieStopu = true;
            trafiony = true;
        }
    }
    return trafiony;
}
