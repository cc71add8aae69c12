#include "TSymulator.h"

#include <algorithm>

#include "PlikMaszyny.h"
#include "PlikRozkazow.h"
#include "Presety.h"
#include "Sterowanie.h"
#include "Tekst.h"

namespace {

std::vector<std::string> LinieZBajtow(std::string_view bajty) {
    return tekst::PodzielNaLinie(tekst::OdczytajTekst(bajty));
}

// What the machine reported during the run since the listeners last heard, with the state.
TZmiana Zaleglosci(bool& konsola, bool& komunikat) {
    TZmiana co = TZmiana::StanMaszyny;
    if (konsola) co = co | TZmiana::Konsola;
    if (komunikat) co = co | TZmiana::Dziennik;
    konsola = komunikat = false;
    return co;
}

// The standard set compiled for the starting machine (preset "K", 3 code bits), built once
// and never changed: every new owner starts from it, and compiling it again took most of
// a construction.
struct TStartowyMikroprogram {
    TListaRozkazow Lista;
    TPamiecMikroprogramu Pamiec;
    std::vector<std::string> Komunikaty;
    TSladKompilacji Slad;
};

const TStartowyMikroprogram& StartowyMikroprogram() {
    static const TStartowyMikroprogram startowy = [] {
        TStartowyMikroprogram m;
        TArchitektura arch;
        ::ZastosujPreset(arch, "K");
        m.Lista.UstawStandardowe();
        ::KompilujMikroprogram(m.Lista, arch, (1u << 3) - 1, m.Pamiec, m.Komunikaty, &m.Slad);
        return m;
    }();
    return startowy;
}

} // namespace

TSymulator::TSymulator()
    : Maszyna(Architektura, PamiecMikroprogramu, Konsola, Dziennik, PunktyZatrzymania, StanPracy) {
    Maszyna.UstawHistorie(&Historia);
    Maszyna.UstawSzerokosci(5, 3);
    ZastosujPreset("K");
    Maszyna.Reset();
    const TStartowyMikroprogram& startowy = StartowyMikroprogram();
    ListaRozkazow = startowy.Lista;
    PamiecMikroprogramu = startowy.Pamiec;
    KomunikatyMikroprogramu = startowy.Komunikaty;
    SladKompilacji = startowy.Slad;
    ZapamietajSkompilowane();
    ListaProgramow.UstawStartowe();
}

TSymulator::~TSymulator() {
    Maszyna.UstawSluchacza(nullptr);
    przebieg.reset();
}

// ---- listeners ----

// The machine reports to the owner only while someone listens: a run with nobody to
// tell costs no call per tick.
void TSymulator::Subskrybuj(TSluchaczSymulatora* s) {
    if (!s || std::find(sluchacze.begin(), sluchacze.end(), s) != sluchacze.end()) return;
    sluchacze.push_back(s);
    // Asked at the next tick: a panel subscribes from its base class's constructor, before
    // its own answer exists.
    sluchaczeTaktowNieaktualni = true;
    Maszyna.UstawPoczatkiTaktow(true);
    Maszyna.UstawSluchacza(this);
}

void TSymulator::Wypisz(TSluchaczSymulatora* s) {
    std::erase(sluchacze, s);
    std::erase(sluchaczeTaktow, s);
    if (sluchacze.empty()) Maszyna.UstawSluchacza(nullptr);
}

void TSymulator::Zglos(TZmiana co) {
    // A listener may subscribe or leave while it is told.
    const std::vector<TSluchaczSymulatora*> kopia = sluchacze;
    for (TSluchaczSymulatora* s : kopia)
        if (std::find(sluchacze.begin(), sluchacze.end(), s) != sluchacze.end()) s->Zmiana(co);
}

void TSymulator::Komunikat(std::string_view tekst) {
    nowyKomunikat = true;
    for (std::size_t i = 0; i < sluchacze.size(); ++i)
        sluchacze[i]->Komunikat(tekst);
}

void TSymulator::PoczatekTaktu() {
    if (sluchaczeTaktowNieaktualni) {
        sluchaczeTaktow.clear();
        for (TSluchaczSymulatora* s : sluchacze)
            if (s->ChcePoczatkowTaktow()) sluchaczeTaktow.push_back(s);
        sluchaczeTaktowNieaktualni = false;
        Maszyna.UstawPoczatkiTaktow(!sluchaczeTaktow.empty());
    }
    for (std::size_t i = 0; i < sluchaczeTaktow.size(); ++i)
        sluchaczeTaktow[i]->PoczatekTaktu();
}

void TSymulator::ZmianaKonsoli() {
    zmianaKonsoli = true;
    for (std::size_t i = 0; i < sluchacze.size(); ++i)
        sluchacze[i]->ZmianaKonsoli();
}

// ---- files ----

bool TSymulator::WczytajRozkazyZBajtow(std::string_view bajty, std::string& blad,
                                       std::string* uwaga) {
    if (uwaga) uwaga->clear();
    std::vector<TRozkaz> rozkazy;
    if (!CzytajLiniePlikuRozkazow(LinieZBajtow(bajty), rozkazy, blad, uwaga)) return false;
    ListaRozkazow.Zastap(std::move(rozkazy));
    Zglos(TZmiana::Rozkazy);
    return true;
}

bool TSymulator::WczytajRozkazy(const std::string& sciezka, std::string& blad, std::string* uwaga) {
    if (!WczytajPlikRozkazow(sciezka, ListaRozkazow, blad, uwaga)) return false;
    Zglos(TZmiana::Rozkazy);
    return true;
}

bool TSymulator::ZapiszRozkazyDoBajtow(std::string& bajty, std::string& blad) const {
    return tekst::BajtyZLinii(LiniePlikuRozkazow(ListaRozkazow), bajty, blad);
}

bool TSymulator::ZapiszRozkazy(const std::string& sciezka, std::string& blad) const {
    return ZapiszPlikRozkazow(sciezka, ListaRozkazow, blad);
}

bool TSymulator::WczytajMaszyneZBajtow(std::string_view bajty, std::string& blad) {
    (void)blad; // every text is some machine: unknown names are left out
    ZastosujLinieMaszyny(Architektura, LinieZBajtow(bajty));
    Historia.Wyczysc();
    Zglos(TZmiana::Architektura);
    return true;
}

bool TSymulator::WczytajMaszyne(const std::string& sciezka, std::string& blad) {
    if (!::WczytajMaszyne(sciezka, Architektura, blad)) return false;
    Historia.Wyczysc();
    Zglos(TZmiana::Architektura);
    return true;
}

bool TSymulator::ZapiszMaszyneDoBajtow(std::string& bajty, std::string& blad) const {
    return tekst::BajtyZLinii(LinieMaszyny(Architektura), bajty, blad);
}

bool TSymulator::ZapiszMaszyne(const std::string& sciezka, std::string& blad) const {
    return ::ZapiszMaszyne(sciezka, Architektura, blad);
}

bool TSymulator::WczytajProgramZBajtow(std::string_view bajty, std::string& blad) {
    (void)blad;
    ZrodloProgramu = LinieZBajtow(bajty);
    Zglos(TZmiana::Program);
    return true;
}

bool TSymulator::WczytajProgram(const std::string& sciezka, std::string& blad) {
    if (!WczytajPlikProgramu(sciezka, ZrodloProgramu, blad)) return false;
    Zglos(TZmiana::Program);
    return true;
}

bool TSymulator::ZapiszProgramDoBajtow(const std::vector<std::string>& linie, std::string& bajty,
                                       std::string& blad) {
    return tekst::BajtyZLinii(linie, bajty, blad);
}

bool TSymulator::ZapiszProgram(const std::string& sciezka, const std::vector<std::string>& linie,
                               std::string& blad) {
    return ZapiszPlikProgramu(sciezka, linie, blad);
}

bool TSymulator::WybierzProgram(std::string_view nazwa) {
    const int i = ListaProgramow.ZnajdzNazwe(nazwa);
    if (i == 0) return false;
    ZrodloProgramu = ListaProgramow[i].Tekst;
    Zglos(TZmiana::Program);
    return true;
}

// ---- architecture ----

bool TSymulator::ZastosujPreset(const std::string& nazwa) {
    if (!::ZastosujPreset(Architektura, nazwa)) return false;
    Historia.Wyczysc();
    NazwaPresetu = nazwa;
    Zglos(TZmiana::Architektura);
    return true;
}

void TSymulator::ZastosujPresetU(const std::vector<std::pair<std::string, bool>>& sygnaly) {
    ::ZastosujPresetU(Architektura, sygnaly);
    Historia.Wyczysc();
    NazwaPresetu = std::string("U");
    Zglos(TZmiana::Architektura);
}

void TSymulator::ZastosujArchitekture(const TWyborArchitektury& wybor) {
    Maszyna.UstawSzerokosci(wybor.BityAdresu, wybor.BityKodu);
    // The loaded program is gone and has to be compiled again.
    Maszyna.WyczyscPaO();
    if (const TPreset* p = ZnajdzPreset(wybor.Preset)) {
        if (p->Sygnaly.empty()) {
            ::ZastosujPresetU(Architektura, wybor.Sygnaly);
        } else {
            ::ZastosujPreset(Architektura, p->Nazwa);
            Historia.Wyczysc();
        }
        NazwaPresetu = std::string(p->Nazwa);
    }
    Zglos(TZmiana::Architektura | TZmiana::Pamiec | TZmiana::StanMaszyny);
}

bool TSymulator::UstawSzerokosci(int bityAdresu, int bityKodu) {
    if (!Maszyna.UstawSzerokosci(bityAdresu, bityKodu)) return false;
    Zglos(TZmiana::Architektura | TZmiana::StanMaszyny);
    return true;
}

void TSymulator::UstawArchitekture(const TArchitektura& a) {
    Architektura = a;
    Zglos(TZmiana::Architektura);
}

// ---- instruction list ----

void TSymulator::ZmienRozkaz(int i, const TRozkaz& r) {
    if (i < 1 || i > ListaRozkazow.Count()) return;
    ListaRozkazow[i] = r;
    Zglos(TZmiana::Rozkazy);
}

int TSymulator::DodajRozkaz() {
    const std::uint32_t maksKod = Maszyna.MaskaKodu();
    if (maksKod + 1 <= static_cast<std::uint32_t>(ListaRozkazow.Count())) return 0;
    const int nowy = ListaRozkazow.DodajRozkaz(maksKod);
    if (nowy > 0) Zglos(TZmiana::Rozkazy);
    return nowy;
}

void TSymulator::UsunRozkaz(int i) {
    if (i < 1 || i > ListaRozkazow.Count()) return;
    ListaRozkazow.UsunRozkaz(i);
    Zglos(TZmiana::Rozkazy);
}

void TSymulator::UsunWszystkieRozkazy() {
    ListaRozkazow.UsunWszystkie();
    Zglos(TZmiana::Rozkazy);
}

void TSymulator::UstawStandardoweRozkazy() {
    ListaRozkazow.UstawStandardowe();
    Zglos(TZmiana::Rozkazy);
}

void TSymulator::UstawRozkazy(const TListaRozkazow& lista) {
    ListaRozkazow = lista;
    Zglos(TZmiana::Rozkazy);
}

// ---- compiling ----

std::span<const std::string> TSymulator::KomunikatyOstatniejKompilacji() const {
    return KomunikatyMikroprogramu;
}

void TSymulator::KompilujMikroprogram() {
    Maszyna.UtrwalBiezacyTekst();
    Historia.Wyczysc();
    KomunikatyMikroprogramu.clear();
    ::KompilujMikroprogram(ListaRozkazow, Architektura, Maszyna.MaskaKodu(), PamiecMikroprogramu,
                           KomunikatyMikroprogramu, &SladKompilacji);
    ZapamietajSkompilowane();
    Zglos(TZmiana::Mikroprogram);
}

void TSymulator::ZapamietajSkompilowane() {
    skompilowane.clear();
    for (int i = 1; i <= ListaRozkazow.Count(); ++i) {
        const TRozkaz& r = ListaRozkazow[i];
        skompilowane.push_back({r.Nazwa, r.Kod, r.Mikroprogram});
    }
}

bool TSymulator::MikroprogramNieaktualny() const {
    if (static_cast<std::size_t>(ListaRozkazow.Count()) != skompilowane.size()) return true;
    for (int i = 1; i <= ListaRozkazow.Count(); ++i) {
        const TRozkaz& r = ListaRozkazow[i];
        const TSkompilowany& s = skompilowane[static_cast<std::size_t>(i - 1)];
        if (r.Nazwa != s.Nazwa || r.Kod != s.Kod || r.Mikroprogram != s.Mikroprogram) return true;
    }
    return false;
}

void TSymulator::KompilujProgram(const std::vector<std::string>& zrodlo) {
    ::KompilujProgram(zrodlo, ListaRozkazow, Maszyna, Architektura, Dziennik, WynikAsemblacji);
    Zglos(TZmiana::Pamiec | TZmiana::Dziennik);
}

// ---- running ----

void TSymulator::Reset() {
    Maszyna.Reset();
    Zglos(TZmiana::StanMaszyny);
}

TWynikTaktu TSymulator::Takt(bool reczny) {
    if (TrwaPrzebieg()) return TWynikTaktu::Brak;
    const TWynikTaktu r = PolecenieTakt(Maszyna, reczny);
    if (r != TWynikTaktu::Brak) Zglos(TZmiana::StanMaszyny);
    return r;
}

bool TSymulator::TaktWstecz() {
    if (TrwaPrzebieg() || !Historia.CofnijTakt(Maszyna)) return false;
    Zglos(TZmiana::Cofniecie | TZmiana::StanMaszyny | TZmiana::Konsola | TZmiana::Dziennik);
    return true;
}

std::size_t TSymulator::RozkazWstecz() {
    if (TrwaPrzebieg()) return 0;
    const std::size_t n = Historia.CofnijRozkaz(Maszyna);
    if (n == 0) return 0;
    Zglos(TZmiana::Cofniecie | TZmiana::StanMaszyny | TZmiana::Konsola | TZmiana::Dziennik);
    return n;
}

void TSymulator::UstawTrybPracy(TTrybPracy tryb) {
    if (StanPracy.TrybPracy == TTrybPracy::Program || tryb == TTrybPracy::Program) return;
    StanPracy.TrybPracy = tryb;
    Zglos(TZmiana::TrybPracy);
}

void TSymulator::Stop() {
    StanPracy.ZadanieStopu = true;
    if (przebieg)
        ZakonczPrzebieg();
    else
        Zglos(TZmiana::TrybPracy);
}

void TSymulator::PrzelaczSygnal(int i) {
    if (i < 1 || i > LiczbaSygnalow) return;
    UstawSygnal(i, !Architektura.Sygnaly[static_cast<std::size_t>(i)].Wybrany);
}

void TSymulator::UstawSygnal(int i, bool wybrany) {
    if (i < 1 || i > LiczbaSygnalow) return;
    Architektura.Sygnaly[static_cast<std::size_t>(i)].Wybrany = wybrany;
    Zglos(TZmiana::StanMaszyny);
}

void TSymulator::WyczyscWybraneSygnaly() {
    Maszyna.WyczyscWybrane();
    Zglos(TZmiana::StanMaszyny);
}

void TSymulator::WybierzSygnaly(std::span<const int> numery) {
    Maszyna.WyczyscWybrane();
    for (int n : numery)
        if (n >= 1 && n <= LiczbaSygnalow)
            Architektura.Sygnaly[static_cast<std::size_t>(n)].Wybrany = true;
    Zglos(TZmiana::StanMaszyny);
}

// ---- a run in slices ----

bool TSymulator::RozpocznijPrzebieg(TPolecenie p) {
    if (TrwaPrzebieg()) return false;
    przebieg.emplace(Maszyna, p);
    if (!przebieg->Trwa()) {
        przebieg.reset();
        return false;
    }
    polecenie = p;
    zmianaKonsoli = nowyKomunikat = false;
    ostatnieZgloszenie = std::chrono::steady_clock::now();
    // "Rozkaz" leaves the run mode as it is.
    if (p == TPolecenie::Program) Zglos(TZmiana::TrybPracy);
    return true;
}

TWynikPorcjiPrzebiegu TSymulator::PorcjaPrzebiegu(const TPorcjaPrzebiegu& p) {
    return PorcjaPrzebiegu(p, TBezWgladu{});
}

void TSymulator::PoPorcji(TWynikPorcjiPrzebiegu& w, const TPorcjaPrzebiegu& p) {
    if (!przebieg->Trwa()) {
        w.Zakonczone = true;
        w.Zgloszona = true;
        ZakonczPrzebieg();
        return;
    }
    if (w.Takty == 0 || (p.DokonczRozkaz && !w.KoniecRozkazu)) return;
    if (p.OkresZgloszen > std::chrono::nanoseconds::zero()) {
        const auto teraz = std::chrono::steady_clock::now();
        if (teraz - ostatnieZgloszenie < p.OkresZgloszen) return;
        ostatnieZgloszenie = teraz;
    }
    w.Zgloszona = true;
    Zglos(Zaleglosci(zmianaKonsoli, nowyKomunikat));
}

void TSymulator::ZakonczPrzebieg() {
    if (!przebieg) return;
    taktyOstatniego = przebieg->Takty();
    // TPrzebieg's end returns the run mode from Program.
    przebieg.reset();
    Zglos(Zaleglosci(zmianaKonsoli, nowyKomunikat) | TZmiana::TrybPracy);
}

// ---- registers, memory, devices ----

void TSymulator::UstawRejestr(int slot, std::uint32_t wartosc) {
    Maszyna.UstawRejestr(slot, wartosc);
    Zglos(TZmiana::StanMaszyny);
}

void TSymulator::ZwiekszRejestr(int slot) {
    Maszyna.Zwieksz(slot);
    Zglos(TZmiana::StanMaszyny);
}

void TSymulator::ZmniejszRejestr(int slot) {
    Maszyna.Zmniejsz(slot);
    Zglos(TZmiana::StanMaszyny);
}

void TSymulator::UstawPodstawe(int slot, int podstawa) {
    if (slot < 1 || slot > LiczbaSlotow) return;
    if (podstawa != 2 && podstawa != 10 && podstawa != 16) return;
    Architektura.Rejestry[static_cast<std::size_t>(slot)].Podstawa = podstawa;
    Zglos(TZmiana::StanMaszyny);
}

void TSymulator::PiszPaO(std::int64_t adres, std::uint32_t slowo) {
    Maszyna.PiszPaO(adres, slowo);
    Zglos(TZmiana::Pamiec);
}

void TSymulator::WyczyscPaO() {
    Maszyna.WyczyscPaO();
    Zglos(TZmiana::Pamiec | TZmiana::StanMaszyny);
}

void TSymulator::ZglosPrzerwanie(int n) {
    Maszyna.ZglosPrzerwanie(n);
    Zglos(TZmiana::StanMaszyny);
}

void TSymulator::UstawWejscie(std::string tekst) {
    Konsola.UstawWejscie(std::move(tekst));
    Zglos(TZmiana::Konsola);
}

void TSymulator::KlawiszWLiniiWejscia() {
    Maszyna.KlawiszWLiniiWejscia();
    Zglos(TZmiana::Konsola | TZmiana::StanMaszyny);
}

void TSymulator::WyczyscKonsole() {
    Konsola.Wyczysc();
    Zglos(TZmiana::Konsola);
}

void TSymulator::WyczyscDziennik() {
    Dziennik.Wyczysc();
    Zglos(TZmiana::Dziennik);
}

// ---- breakpoints ----

bool TSymulator::DodajPunkt(const TPunktZatrzymania& p, std::string& blad) {
    if (!PunktyZatrzymania.DodajPunkt(p, blad)) return false;
    Zglos(TZmiana::PunktyZatrzymania);
    return true;
}

void TSymulator::UsunPunkt(int k) {
    if (k < 1 || k > PunktyZatrzymania.Count()) return;
    PunktyZatrzymania.UsunPunkt(k);
    Zglos(TZmiana::PunktyZatrzymania);
}

void TSymulator::UsunPunkty() {
    PunktyZatrzymania.UsunWszystkie();
    Zglos(TZmiana::PunktyZatrzymania);
}

void TSymulator::IgnorujPunkty(bool tak) {
    PunktyZatrzymania.Ignoruj = tak;
    Zglos(TZmiana::PunktyZatrzymania);
}
