#include "Historia.h"

#include <algorithm>

#include "Dziennik.h"

// ---- recording ----

// The first tick also saves the whole state before it, whatever came before.
void THistoria::Otworz(const TMaszyna& m) {
    nowa = false;
    tekstPrzedNajstarszym = {m.wierszTekstu != TMaszyna::TekstWlasny, m.wierszTekstu, m.biezacyTekst};
    if (!migawka) ZapiszMigawke(m);
}

void THistoria::ZrobMiejsce() {
    constexpr std::size_t Poczatkowo = 4096;
    if (wpisy.Liczba() >= miejsceWpisow) {
        const std::size_t stara = wpisy.Pojemnosc();
        const std::size_t nowa = std::min(std::max(Poczatkowo, stara * 2), maksTaktow);
        if (nowa > stara && (stara == 0 || Pamiec() + (nowa - stara) * sizeof(TWpis) <= budzet))
            wpisy.Powieksz(nowa);
        miejsceWpisow = std::min(wpisy.Pojemnosc(), maksTaktow);
        while (wpisy.Liczba() >= miejsceWpisow)
            UsunNajstarszy();
    }
    if (wartosci.Wolne() < LiczbaSlotow + 1) {
        const std::size_t stara = wartosci.Pojemnosc();
        const std::size_t nowa = std::max(Poczatkowo, stara + stara / 2);
        if (stara == 0 || Pamiec() + (nowa - stara) * sizeof(std::uint32_t) <= budzet)
            wartosci.Powieksz(nowa);
        while (wartosci.Wolne() < LiczbaSlotow + 1)
            UsunNajstarszy();
    }
}

void THistoria::UsunNajstarszy() {
    const TWpis w = wpisy.Najstarszy();
    wartosci.UsunNajstarsze(w.wartosci);
    tekstPrzedNajstarszym.zWiersza = !(w.flagi & Reczny);
    tekstPrzedNajstarszym.wiersz = w.wiersz;
    for (std::size_t i = 0; i < w.dodatki; ++i) {
        TDodatek& d = dodatki.front();
        if (auto* t = std::get_if<TTekst>(&d.co)) tekstPrzedNajstarszym.tekst = std::move(t->tekst);
        bajtyDodatkow -= Rozmiar(d);
        dodatki.pop_front();
    }
    wpisy.UsunNajstarsze(1);
}

void THistoria::Dodaj(TCo co) {
    std::uint16_t& licznik = wTakcie ? wpisy.Ostatni().dodatki : oczekujace;
    // Never reached by a real tick; giving up the way back is the safe answer.
    if (licznik == UINT16_MAX) return Wyczysc();
    dodatki.push_back({std::move(co), !wTakcie});
    bajtyDodatkow += Rozmiar(dodatki.back());
    ++licznik;
    // Only the oldest ticks may go; the newest keeps what it needs.
    while (Pamiec() > budzet && wpisy.Liczba() > 1)
        UsunNajstarszy();
}

void THistoria::ZapiszMigawke(const TMaszyna& m) {
    migawka = true;
    TMigawka w{};
    for (std::size_t i = 0; i < w.wartosci.size(); ++i) {
        w.wartosci[i] = m.sloty[i].wartosc;
        w.flagi[i] = m.sloty[i].flaga;
    }
    w.gotowe = m.urzadzenieGotowe;
    w.zatrzymana = m.zatrzymana;
    Dodaj(std::move(w));
}

void THistoria::ZapiszTekst(const TMaszyna& m) {
    Dodaj(TTekst{m.BiezacyTekst()});
}

void THistoria::PrzedZapisemPaO(const TPaO& pao, std::int64_t adres) {
    const TKomorka* k = pao.Znajdz(adres);
    Dodaj(TKomorkaPrzed{adres, k != nullptr, k ? *k : TKomorka{}});
}

void THistoria::PrzedKomunikatem(const TDziennik& d) {
    if (komunikat) return;
    komunikat = true;
    Dodaj(TDziennikPrzed{d.Rozmiar()});
}

std::size_t THistoria::Rozmiar(const TDodatek& d) {
    std::size_t r = sizeof(TDodatek);
    if (auto* p = std::get_if<TPobrane>(&d.co)) r += p->znaki.capacity();
    if (auto* t = std::get_if<TTekst>(&d.co)) r += t->tekst.capacity();
    return r;
}

// ---- size ----

void THistoria::UstawRozmiar(std::size_t takty, std::size_t bajty) {
    maksTaktow = std::max<std::size_t>(takty, 1);
    budzet = bajty;
    Wyczysc();
    wpisy.Zwolnij();
    wartosci.Zwolnij();
    miejsceWpisow = 0;
}

std::size_t THistoria::Pamiec() const {
    return sizeof(*this) + wpisy.Pojemnosc() * sizeof(TWpis) +
           wartosci.Pojemnosc() * sizeof(std::uint32_t) + bajtyDodatkow;
}

void THistoria::Wyczysc() {
    wpisy.Wyczysc();
    wartosci.Wyczysc();
    dodatki.clear();
    bajtyDodatkow = 0;
    tekstPrzedNajstarszym = {};
    oczekujace = 0;
    nowa = true;
    migawka = komunikat = wTakcie = false;
}

// ---- going back ----

void THistoria::Cofnij(TMaszyna& m, const TDodatek& d) {
    struct TCofnij {
        TMaszyna& m;
        void operator()(const TKomorkaPrzed& k) const {
            if (k.istniala)
                m.pao.Wstaw(k.adres, k.stara.Kod, k.stara.Argument, k.stara.Rodzaj);
            else
                m.pao.UsunOstatnia(k.adres);
        }
        void operator()(const TPobrane& p) const { m.konsola.ZwrocZnaki(p.znaki); }
        void operator()(const TWyjscie& w) const { m.konsola.PrzywrocWyjscie(w.stan); }
        void operator()(const TDziennikPrzed& d) const { m.dziennik.UsunNowsze(d.linie); }
        void operator()(const TTekst&) const {}
        void operator()(const TMigawka& w) const {
            for (std::size_t i = 0; i < w.wartosci.size(); ++i) {
                m.sloty[i].wartosc = w.wartosci[i];
                m.sloty[i].flaga = w.flagi[i];
            }
            m.urzadzenieGotowe = w.gotowe;
            m.zatrzymana = w.zatrzymana;
        }
    };
    std::visit(TCofnij{m}, d.co);
}

void THistoria::PrzywrocTekst(TMaszyna& m) const {
    if (wpisy.Liczba() < 2) {
        const TTekstPrzed& t = tekstPrzedNajstarszym;
        m.wierszTekstu = t.zWiersza ? t.wiersz : TMaszyna::TekstWlasny;
        m.biezacyTekst = t.tekst;
        return;
    }
    const TWpis& poprzedni = wpisy.ZKonca(1);
    if (!(poprzedni.flagi & Reczny)) {
        m.wierszTekstu = poprzedni.wiersz;
        return;
    }
    for (std::size_t i = 0; i < poprzedni.dodatki; ++i)
        if (auto* t = std::get_if<TTekst>(&dodatki[dodatki.size() - 1 - i].co)) {
            m.wierszTekstu = TMaszyna::TekstWlasny;
            m.biezacyTekst = t->tekst;
            return;
        }
}

bool THistoria::CofnijTakt(TMaszyna& m) {
    if (wpisy.Pusty()) return false;
    // What changed since the last tick goes first.
    for (; oczekujace > 0; --oczekujace) {
        Cofnij(m, dodatki.back());
        bajtyDodatkow -= Rozmiar(dodatki.back());
        dodatki.pop_back();
    }
    const TWpis w = wpisy.Ostatni();
    std::size_t zostalo = w.dodatki;
    auto cofnijDodatek = [&] {
        Cofnij(m, dodatki.back());
        bajtyDodatkow -= Rozmiar(dodatki.back());
        dodatki.pop_back();
        --zostalo;
    };
    while (zostalo > 0 && !dodatki.back().przedTaktem)
        cofnijDodatek();
    for (const int bus : {Slot::MagA, Slot::MagS, Slot::JAL_in, Slot::JAL_out}) {
        auto& s = m.sloty[static_cast<std::size_t>(bus)];
        s.flaga = w.sloty >> bus & 1;
        s.wartosc = 0;
    }
    for (std::uint32_t b = w.sloty; b != 0;) {
        const int slot = 31 - std::countl_zero(b);
        b &= ~(std::uint32_t{1} << slot);
        m.sloty[static_cast<std::size_t>(slot)].wartosc = wartosci.Zdejmij();
    }
    m.urzadzenieGotowe = w.flagi & 1;
    m.zatrzymana = w.flagi >> 1 & 1;
    m.biezacyWiersz = w.wiersz;
    while (zostalo > 0)
        cofnijDodatek();
    PrzywrocTekst(m);
    wpisy.Zdejmij();
    migawka = komunikat = false;
    return true;
}

std::size_t THistoria::CofnijRozkaz(TMaszyna& m) {
    std::size_t n = 0;
    while (CofnijTakt(m)) {
        ++n;
        if (m.BiezacyWiersz() == -1) break;
    }
    return n;
}

// ---- for the views ----

std::uint32_t THistoria::WartoscPrzedOstatnim(const TMaszyna& m, int slot) const {
    if (wpisy.Pusty() || slot < 1 || slot > LiczbaSlotow) return m.Wartosc(slot);
    const std::uint32_t maska = wpisy.ZKonca(0).sloty;
    if (!(maska >> slot & 1)) return m.Wartosc(slot);
    return wartosci.ZKonca(static_cast<std::size_t>(std::popcount(maska >> slot >> 1)));
}

std::vector<std::string> THistoria::KomunikatyOstatniego(const TDziennik& d) const {
    if (wpisy.Pusty()) return {};
    const TWpis& w = wpisy.ZKonca(0);
    // The newest tick's own records come after what was made since it.
    for (std::size_t i = oczekujace; i < std::size_t{oczekujace} + w.dodatki; ++i) {
        const TDodatek& x = dodatki[dodatki.size() - 1 - i];
        if (x.przedTaktem) break;
        if (auto* p = std::get_if<TDziennikPrzed>(&x.co)) {
            std::vector<std::string> linie = d.Linie();
            const std::size_t ile =
                std::min(d.Rozmiar() - std::min(d.Rozmiar(), p->linie), linie.size());
            return {linie.end() - static_cast<std::ptrdiff_t>(ile), linie.end()};
        }
    }
    return {};
}

// ---- comparing ----

std::string RoznicaStanow(const TMaszyna& a, const TMaszyna& b) {
    auto liczba = [](auto x) { return std::to_string(x); };
    if (a.bityAdresu != b.bityAdresu || a.bityKodu != b.bityKodu) return "szerokości";
    for (int s = 1; s <= 29; ++s) {
        const auto& x = a.sloty[static_cast<std::size_t>(s)];
        const auto& y = b.sloty[static_cast<std::size_t>(s)];
        if (x.wartosc != y.wartosc)
            return "slot " + liczba(s) + ": " + liczba(x.wartosc) + " != " + liczba(y.wartosc);
        if (x.flaga != y.flaga) return "flaga slotu " + liczba(s);
    }
    if (a.zatrzymana != b.zatrzymana) return "zatrzymana";
    if (a.urzadzenieGotowe != b.urzadzenieGotowe) return "urządzenie gotowe";
    if (a.biezacyWiersz != b.biezacyWiersz)
        return "wiersz: " + liczba(a.biezacyWiersz) + " != " + liczba(b.biezacyWiersz);
    if (a.BiezacyTekst() != b.BiezacyTekst())
        return "tekst: \"" + a.BiezacyTekst() + "\" != \"" + b.BiezacyTekst() + "\"";
    const auto& ka = a.pao.Komorki();
    const auto& kb = b.pao.Komorki();
    if (ka.size() != kb.size())
        return "liczba komórek: " + liczba(ka.size()) + " != " + liczba(kb.size());
    for (std::size_t i = 0; i < ka.size(); ++i)
        if (ka[i].Adres != kb[i].Adres || ka[i].Kod != kb[i].Kod ||
            ka[i].Argument != kb[i].Argument || ka[i].Rodzaj != kb[i].Rodzaj)
            return "komórka " + liczba(ka[i].Adres);
    if (a.konsola.Wejscie() != b.konsola.Wejscie())
        return "wejście: \"" + a.konsola.Wejscie() + "\" != \"" + b.konsola.Wejscie() + "\"";
    if (a.konsola.Wyjscie() != b.konsola.Wyjscie())
        return "wyjście: \"" + a.konsola.WyjscieTekst() + "\" != \"" + b.konsola.WyjscieTekst() +
               "\"";
    if (a.dziennik.Linie() != b.dziennik.Linie())
        return "dziennik: " + liczba(a.dziennik.Rozmiar()) + " != " + liczba(b.dziennik.Rozmiar()) +
               " linii";
    return {};
}
