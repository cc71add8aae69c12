#include "Historia.h"

#include <algorithm>

#include "Dziennik.h"
#include "PunktyZatrzymania.h"

// ---- recording ----

// A kept state is due (a change between ticks and clearing make it due at once). Ticks
// run again keep nothing. A manual tick needs no state of its own: ZapiszReczny keeps its
// text for running it again.
void THistoria::PrzedTaktemRzadko(const TMaszyna& m) {
    if (odtwarzanie) {
        doPunktu = OdstepPunktow;
        return;
    }
    if (Pierwszy() >= pierwszy + PartiaPrzyciecia) Przytnij(Pierwszy());
    ZapiszPunkt(m, false);
}

void THistoria::ZapiszPunkt(const TMaszyna& m, bool przedZmiana) {
    doPunktu = OdstepPunktow;
    TPunkt& p = punkty.Nowy();
    p.takt = n;
    p.przedZmiana = przedZmiana;
    p.tekstWlasny = m.wierszTekstu == TMaszyna::TekstWlasny;
    TStanPunktu& st = stany.Nowy();
    st.gotowe = m.urzadzenieGotowe;
    st.zatrzymana = m.zatrzymana;
    st.wiersz = m.biezacyWiersz;
    st.wierszTekstu = m.wierszTekstu;
    st.dlugoscWejscia = m.konsola.Wejscie().size();
    st.wartosci = m.wartosci;
    st.flagi = m.flagi;
    ostatniaKomorka = BrakKomorki;
    if (p.tekstWlasny) {
        teksty.push_back(m.biezacyTekst);
        bajty += sizeof(std::string) + m.biezacyTekst.capacity();
    }
    bajty += Rozmiar(p);
    if (Pamiec() > budzet) PilnujBudzetu();
}

void THistoria::ZapiszZmiane(const TMaszyna& m) {
    if (odtwarzanie) return;
    zmiana = true;
    powrot = false;
    ZapiszPunkt(m, true);
    // The tick after the change starts from a state of its own.
    doPunktu = 0;
}

void THistoria::ZapiszReczny(const TMaszyna& m) {
    if (odtwarzanie) return;
    TReczny r{n, m.BiezacyTekst()};
    bajty += sizeof(TReczny) + r.tekst.capacity();
    reczne.push_back(std::move(r));
    if (Pamiec() > budzet) PilnujBudzetu();
}

// Going back restores the last kept state before the target and undoes every cell record
// made after it, so a cell written again since that state needs no second record: its
// first one already gives the value to restore. Loops write the same few cells over and
// over; a short look back skips most of their records.
void THistoria::PrzedZapisemPaO(const TMaszyna& m, std::int64_t adres) {
    Licz();
    if (!wTakcie) PozaTaktem(m);
    if (!punkty.empty()) {
        const TPunkt& p = punkty.back();
        constexpr std::size_t Wglab = 8;
        for (std::size_t i = komorki.size(), ile = 0; i > 0 && ile < Wglab; --i, ++ile) {
            const TKomorkaPrzed& r = komorki[i - 1];
            if (r.takt < p.takt || (r.takt == p.takt && r.przedTaktem && !p.przedZmiana)) break;
            if (r.adres == adres) {
                ostatniaKomorka = adres;
                return;
            }
        }
    }
    ostatniaKomorka = adres;
    const TKomorka* k = m.pao.Znajdz(adres);
    TKomorkaPrzed& r = komorki.Nowy();
    r.takt = n;
    r.adres = adres;
    r.przedTaktem = !wTakcie;
    r.istniala = k != nullptr;
    r.kod = k ? k->Kod : 0;
    r.argument = k ? k->Argument : 0;
    r.rodzaj = k ? k->Rodzaj : TRodzajKomorki();
    bajty += sizeof(TKomorkaPrzed);
    if (!odtwarzanie && Pamiec() > budzet) PilnujBudzetu();
}

void THistoria::PrzedKomunikatem(const TDziennik& d) {
    Licz();
    // One length for a tick, and one for the gap before it: the newest record tells whether
    // this one's is kept already (going back drops every record from the target tick on).
    if (!dziennik.empty() && dziennik.back().takt == n && dziennik.back().przedTaktem == !wTakcie)
        return;
    dziennik.push_back({n, !wTakcie, d.Rozmiar()});
    bajty += sizeof(TDlugoscDziennika);
}

void THistoria::Dodaj(TDodatek& d) {
    // Ticks run again record what they change again, exactly as the first time.
    bajty += Rozmiar(d);
    if (!odtwarzanie && Pamiec() > budzet) PilnujBudzetu();
}

std::size_t THistoria::Rozmiar(const TDodatek& d) {
    std::size_t r = sizeof(TDodatek);
    if (auto* p = std::get_if<TPobrane>(&d.co)) r += p->znaki.capacity();
    return r;
}

// ---- size ----

void THistoria::UstawRozmiar(std::size_t takty, std::size_t b) {
    maksTaktow = std::max<std::size_t>(takty, 1);
    budzet = b;
    Wyczysc();
}

void THistoria::UsunTekstPunktu(const TPunkt& p, bool najstarszy) {
    if (!p.tekstWlasny) return;
    const std::string& t = najstarszy ? teksty.front() : teksty.back();
    bajty -= sizeof(std::string) + t.capacity();
    if (najstarszy)
        teksty.pop_front();
    else
        teksty.pop_back();
}

void THistoria::UsunNajstarszyPunkt() {
    UsunTekstPunktu(punkty.front(), true);
    bajty -= Rozmiar(punkty.front());
    punkty.pop_front();
    stany.pop_front();
}

void THistoria::UsunNajnowszyPunkt() {
    UsunTekstPunktu(punkty.back(), false);
    bajty -= Rozmiar(punkty.back());
    punkty.pop_back();
    stany.pop_back();
}

void THistoria::Wyczysc() {
    punkty.clear();
    stany.clear();
    teksty.clear();
    dodatki.clear();
    komorki.clear();
    dziennik.clear();
    reczne.clear();
    bajty = 0;
    n = pierwszy = 0;
    doPunktu = 0;
    ostatniaKomorka = BrakKomorki;
    zmiana = wTakcie = odtwarzanie = powrot = false;
}

void THistoria::Przytnij(std::uint64_t nowyPierwszy) {
    pierwszy = std::max(Pierwszy(), std::min(nowyPierwszy, n));
    ostatniaKomorka = BrakKomorki;
    // A kept state goes when the next one serves every tick still kept.
    while (punkty.size() >= 2) {
        const std::uint64_t najstarszy = punkty.front().takt;
        std::size_t i = 1;
        while (i < punkty.size() && punkty[i].takt == najstarszy)
            ++i;
        if (i == punkty.size() || punkty[i].takt > pierwszy) break;
        const std::uint64_t nastepny = punkty[i].takt;
        for (; i > 0; --i)
            UsunNajstarszyPunkt();
        while (!dodatki.empty() && dodatki.front().takt < nastepny) {
            bajty -= Rozmiar(dodatki.front());
            dodatki.pop_front();
        }
        while (!komorki.empty() && komorki.front().takt < nastepny) {
            bajty -= sizeof(TKomorkaPrzed);
            komorki.pop_front();
        }
        while (!reczne.empty() && reczne.front().takt < nastepny) {
            bajty -= sizeof(TReczny) + reczne.front().tekst.capacity();
            reczne.pop_front();
        }
    }
    while (!dziennik.empty() && dziennik.front().takt < pierwszy) {
        bajty -= sizeof(TDlugoscDziennika);
        dziennik.pop_front();
    }
}

void THistoria::PilnujBudzetu() {
    // Only the oldest ticks may go, a kept state at a time; the newest stay.
    while (Pamiec() > budzet && punkty.size() >= 2) {
        std::size_t i = 1;
        while (i < punkty.size() && punkty[i].takt == punkty.front().takt)
            ++i;
        if (i == punkty.size() || punkty[i].takt >= n) break;
        const std::size_t przed = punkty.size();
        Przytnij(punkty[i].takt);
        if (punkty.size() == przed) break;
    }
}

// ---- going back ----

void THistoria::Cofnij(TMaszyna& m, const TDodatek& d) {
    struct TCofnij {
        TMaszyna& m;
        void operator()(const TPobrane& p) const { m.konsola.ZwrocZnaki(p.znaki); }
        void operator()(const TWyjscie& w) const { m.konsola.PrzywrocWyjscie(w.stan); }
    };
    std::visit(TCofnij{m}, d.co);
}

void THistoria::Przywroc(TMaszyna& m, std::uint64_t j) {
    // The state to start from: the last kept before tick j - 1 ends, else the one at j
    // (before its changes when there were any).
    std::size_t s = punkty.size();
    while (s > 0 && punkty[s - 1].takt + 1 > j)
        --s;
    if (s == 0) s = 1; // the oldest kept state is the one at j itself
    const TPunkt start = punkty[s - 1];
    const std::uint64_t c = start.takt;

    // PaO and the console back to the start, newest first.
    // (The two lists hold different things, so either may go first.)
    const auto poStarcie = [&](std::uint64_t takt, bool przedTaktem) {
        return takt > c || (takt == c && (!przedTaktem || start.przedZmiana));
    };
    while (!dodatki.empty() && poStarcie(dodatki.back().takt, dodatki.back().przedTaktem)) {
        Cofnij(m, dodatki.back());
        bajty -= Rozmiar(dodatki.back());
        dodatki.pop_back();
    }
    ostatniaKomorka = BrakKomorki;
    while (!komorki.empty() && poStarcie(komorki.back().takt, komorki.back().przedTaktem)) {
        const TKomorkaPrzed& k = komorki.back();
        if (k.istniala)
            m.pao.Wstaw(k.adres, k.kod, k.argument, k.rodzaj);
        else
            m.pao.UsunOstatnia(k.adres);
        bajty -= sizeof(TKomorkaPrzed);
        komorki.pop_back();
    }
    // The log is not written again: it only loses what came from tick j on.
    std::size_t linie = m.dziennik.Rozmiar();
    while (!dziennik.empty() && dziennik.back().takt >= j) {
        linie = dziennik.back().linie;
        bajty -= sizeof(TDlugoscDziennika);
        dziennik.pop_back();
    }
    m.dziennik.UsunNowsze(linie);
    while (!reczne.empty() && reczne.back().takt >= j) {
        bajty -= sizeof(TReczny) + reczne.back().tekst.capacity();
        reczne.pop_back();
    }

    const TStanPunktu stanStartu = stany[s - 1];
    while (punkty.size() > s)
        UsunNajnowszyPunkt();
    m.wartosci = stanStartu.wartosci;
    m.flagi = stanStartu.flagi;
    m.biezacyWiersz = stanStartu.wiersz;
    m.wierszTekstu = stanStartu.wierszTekstu;
    m.biezacyTekst = start.tekstWlasny ? teksty.back() : std::string();
    m.urzadzenieGotowe = stanStartu.gotowe;
    m.zatrzymana = stanStartu.zatrzymana;

    // The ticks from the start to j run again with nobody listening and nothing new
    // kept; characters typed since the start wait behind those the machine took then.
    dziennikPrzedOstatnim = m.dziennik.Rozmiar();
    przedOstatnim = m.wartosci;
    n = c;
    if (c < j) {
        const std::string wejscie = m.konsola.Wejscie();
        const std::size_t dlugosc = std::min(stanStartu.dlugoscWejscia, wejscie.size());
        m.konsola.UstawWejscie(wejscie.substr(0, dlugosc));
        TSluchaczMaszyny* sluchacz = m.sluchacz;
        const bool stop = m.stan.ZadanieStopu;
        m.sluchacz = nullptr;
        odtwarzanie = true;
        // The first manual tick at c or later.
        std::size_t reczny = 0;
        for (std::size_t d = reczne.size(); d > 0;) {
            const std::size_t pol = d / 2;
            if (reczne[reczny + pol].takt < c) {
                reczny += pol + 1;
                d -= pol + 1;
            } else {
                d = pol;
            }
        }
        while (n < j) {
            if (n + 1 == j) {
                przedOstatnim = m.wartosci;
                for (std::size_t i = dziennik.size(); i > 0 && dziennik[i - 1].takt >= n; --i)
                    if (dziennik[i - 1].takt == n && !dziennik[i - 1].przedTaktem)
                        dziennikPrzedOstatnim = dziennik[i - 1].linie;
            }
            if (reczny < reczne.size() && reczne[reczny].takt == n) {
                m.TaktRecznyZTekstem(reczne[reczny++].tekst);
            } else if (n + 1 < j) {
                // Up to the last tick or the next manual one, in one series (a stop
                // request or a halt only shortens it).
                const std::uint64_t koniec =
                    reczny < reczne.size() ? std::min(reczne[reczny].takt, j - 1) : j - 1;
                m.Takty(koniec - n, false);
            } else {
                m.Takt();
            }
        }
        odtwarzanie = false;
        m.sluchacz = sluchacz;
        m.stan.ZadanieStopu = stop;
        m.konsola.UstawWejscie(m.konsola.Wejscie() + wejscie.substr(dlugosc));
    }
    n = j;
    doPunktu = OdstepPunktow - static_cast<int>(std::min<std::uint64_t>(j - c, OdstepPunktow));
    zmiana = wTakcie = false;
    powrot = true;
}

bool THistoria::CofnijTakt(TMaszyna& m) {
    if (Pusta() || punkty.empty() || punkty.front().takt > n - 1) return false;
    // Going back lowers the count: the oldest tick must stay where the count put it.
    pierwszy = Pierwszy();
    Przywroc(m, n - 1);
    return true;
}

std::size_t THistoria::CofnijRozkaz(TMaszyna& m) {
    std::size_t ile = 0;
    while (CofnijTakt(m)) {
        ++ile;
        if (m.BiezacyWiersz() == -1) break;
    }
    return ile;
}

// ---- for the views ----

std::uint32_t THistoria::WartoscPrzedOstatnim(const TMaszyna& m, int slot) const {
    if (!powrot || slot < 1 || slot > LiczbaSlotow) return m.Wartosc(slot);
    return przedOstatnim[static_cast<std::size_t>(slot)];
}

std::vector<std::string> THistoria::KomunikatyOstatniego(const TDziennik& d) const {
    if (!powrot || d.Rozmiar() <= dziennikPrzedOstatnim) return {};
    std::vector<std::string> linie = d.Linie();
    const std::size_t ile = std::min(d.Rozmiar() - dziennikPrzedOstatnim, linie.size());
    return {linie.end() - static_cast<std::ptrdiff_t>(ile), linie.end()};
}

// ---- comparing ----

std::string RoznicaStanow(const TMaszyna& a, const TMaszyna& b) {
    auto liczba = [](auto x) { return std::to_string(x); };
    if (a.bityAdresu != b.bityAdresu || a.bityKodu != b.bityKodu) return "szerokości";
    for (int s = 1; s <= 29; ++s) {
        const auto i = static_cast<std::size_t>(s);
        if (a.wartosci[i] != b.wartosci[i])
            return "slot " + liczba(s) + ": " + liczba(a.wartosci[i]) +
                   " != " + liczba(b.wartosci[i]);
        if (a.flagi[i] != b.flagi[i]) return "flaga slotu " + liczba(s);
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
