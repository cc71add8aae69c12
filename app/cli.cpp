// symulator-cli: the headless runner. It builds the same TSymulator the window builds,
// so what it reports is what the window would show.

#include <CLI/CLI.hpp>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <limits>
#include <sstream>
#include <thread>

#include "TSymulator.h"
#include "Tekst.h"
#include "Uruchomienie.h"
#include "Wersja.h"

namespace {

struct TOpcje {
    std::string rozkazy, preset, maszyna, slad, obraz, wejscie, oczekiwania, raport;
    std::string bityAdresuTekst, bityKoduTekst, maksTaktowTekst, watkiTekst;
    bool mikroprogram = false, json = false, scisle = false;
    std::vector<std::string> programy, przerwania, punkty, ustawienia, wybrane;
};

[[noreturn]] void Porazka(const std::string& komunikat) {
    std::cerr << "symulator-cli: " << komunikat << "\n";
    std::exit(KodZleUzycie);
}

// A decimal number without a sign in [od, do]; leading zeros do not make it octal.
std::uint64_t CzytajLiczbeOpcji(const std::string& opcja, const std::string& t, std::uint64_t od,
                                std::uint64_t doIlu) {
    std::uint64_t w = 0;
    const auto [koniec, blad] = std::from_chars(t.data(), t.data() + t.size(), w, 10);
    if (t.empty() || blad != std::errc{} || koniec != t.data() + t.size() || w < od || w > doIlu)
        Porazka(opcja + " oczekuje liczby dziesiętnej od " + std::to_string(od) + " do " +
                std::to_string(doIlu) + ", otrzymano \"" + t + "\"");
    return w;
}

// The option parser's own refusals, said in Polish.
std::string BladParsera(const CLI::ParseError& e) {
    const std::string t = e.what();
    const std::string nazwa = t.substr(0, t.find_first_of(": "));
    if (dynamic_cast<const CLI::ExtrasError*>(&e))
        return "nieoczekiwany argument: " + t.substr(t.find(": ") + 2);
    if (dynamic_cast<const CLI::RequiredError*>(&e)) return "brak wymaganego argumentu " + nazwa;
    if (dynamic_cast<const CLI::ArgumentMismatch*>(&e) && t.find(" missing") != std::string::npos)
        return "opcja " + nazwa + " wymaga wartości";
    if (dynamic_cast<const CLI::ArgumentMismatch*>(&e) ||
        dynamic_cast<const CLI::ConversionError*>(&e))
        return "nieprawidłowa liczba wartości opcji " + nazwa;
    return "nieprawidłowe wywołanie";
}

TPrzerwanieZaplanowane CzytajPrzerwanie(const std::string& t) {
    const auto dwukropek = t.find(':');
    long long takt = 0, n = 0;
    if (dwukropek == std::string::npos || !CzytajCalkowita(t.substr(0, dwukropek), takt) ||
        !CzytajCalkowita(t.substr(dwukropek + 1), n) || takt < 1 || n < 1 || n > 8)
        Porazka("nieprawidłowe --irq \"" + t + "\": oczekiwano TAKT:N, TAKT od 1, N od 1 do 8");
    return {static_cast<std::uint64_t>(takt), static_cast<int>(n)};
}

TPunktZatrzymania CzytajPunkt(const std::string& t) {
    TPunktZatrzymania p;
    std::string blad;
    if (!::CzytajPunkt(t, p, blad)) Porazka("--break \"" + t + "\": " + blad);
    return p;
}

// A report that could not be written is a failed run, not a silent one.
int ZakonczWyjscie(int kod) {
    std::cout.flush();
    if (!std::cout || std::fflush(stdout) != 0 || std::ferror(stdout))
        Porazka("nie można zapisać wyniku na standardowe wyjście: " + tekst::PrzyczynaBledu(errno));
    return kod;
}

// "NAME=VALUE" or "[ADDRESS]=VALUE", resolved against the machine every program starts on.
TUstawienie CzytajUstawienie(const std::string& t, const TSymulator& s) {
    TUstawienie u;
    std::string blad;
    if (!::CzytajUstawienie(t, s, u, blad)) Porazka("--set \"" + t + "\": " + blad);
    return u;
}

// The programs named: files as given, and every .prg of a folder in name order.
std::vector<std::string> ListaProgramow(const std::vector<std::string>& argumenty, bool& wiele) {
    std::vector<std::string> wynik;
    wiele = argumenty.size() > 1;
    for (const auto& a : argumenty) {
        std::error_code ec;
        if (!std::filesystem::is_directory(a, ec)) {
            wynik.push_back(a);
            continue;
        }
        wiele = true;
        std::vector<std::string> folder;
        for (std::filesystem::directory_iterator it(a, ec), koniec; !ec && it != koniec;
             it.increment(ec)) {
            std::string rozszerzenie = it->path().extension().string();
            for (char& c : rozszerzenie)
                c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
            std::error_code ecPliku;
            if (rozszerzenie == ".prg" && !it->is_directory(ecPliku))
                folder.push_back(it->path().string());
        }
        if (ec)
            Porazka("nie można przeczytać folderu \"" + a +
                    "\": " + tekst::PrzyczynaBledu(ec.value()));
        std::sort(folder.begin(), folder.end());
        wynik.insert(wynik.end(), folder.begin(), folder.end());
    }
    return wynik;
}

std::string PoleCsv(const std::string& t) {
    if (t.find_first_of(",\"\r\n") == std::string::npos) return t;
    std::string w = "\"";
    for (char c : t) {
        if (c == '"') w += '"';
        w += c;
    }
    return w + "\"";
}

// The gradebook: one row per program, through the safe save once every row is in.
class TRaportCsv {
  public:
    explicit TRaportCsv(const std::string& sciezka) : zapis(sciezka) {
        std::string blad;
        if (!zapis.Otworz(blad)) Porazka(blad);
        tresc = "program,kod,takty,spelnione,niespelnione,pierwsza_niezgodnosc\r\n";
    }
    void Dodaj(const TWynikProgramu& w) {
        tresc += PoleCsv(w.Program) + ',' + std::to_string(w.Kod) + ',' +
                 (w.Uruchomiony ? std::to_string(w.Takty) : "") + ',' +
                 std::to_string(w.Spelnione) + ',' + std::to_string(w.Niespelnione) + ',' +
                 PoleCsv(w.PierwszaNiezgodnosc) + "\r\n";
    }
    void Zamknij() {
        std::string blad;
        if (!zapis.Pisz(tresc, blad) || !zapis.Zakoncz(blad)) Porazka(blad);
    }

  private:
    tekst::TZapisPliku zapis;
    std::string tresc;
};

} // namespace

int main(int argc, char** argv) {
    TOpcje o;
    CLI::App app{
        "symulator-cli: uruchamia programy maszyny dydaktycznej bez okna i sprawdza ich wyniki.\n"
        "Start: adres 5 bitów, kod 3 bity, maszyna K, standardowy zestaw rozkazów. Opcje działają "
        "w "
        "kolejności: zestaw rozkazów, szerokości, maszyna, plik maszyny. Potem dla każdego "
        "programu: "
        "kompilacja mikroprogramu, asemblacja, reset, --set i \"Program\" aż do \"stp\" albo "
        "limitu "
        "taktów.\n"
        "Kod wyjścia: 0 zatrzymana przez stp (z --expect: wszystkie sprawdzenia spełnione), 1 "
        "niespełnione "
        "sprawdzenie albo błąd kompilacji przy --strict, 3 osiągnięty limit taktów, 4 zatrzymana "
        "przez punkt "
        "zatrzymania, 2 złe wywołanie albo plik, którego nie da się wczytać. Przy wielu programach "
        "najgorszy z kodów: 2, 1, 4, 3, 0.",
        "symulator-cli"};
    app.option_defaults()->group("Opcje");
    app.set_help_flag("-h,--help", "pokaż ten opis i zakończ");
    app.set_version_flag("--version", "symulator-cli " + std::string(WersjaProgramu),
                         "pokaż wersję programu i zakończ");
    for (const auto& [klucz, tekst] : {std::pair{"Usage", "Użycie"},
                                       {"OPTIONS", "OPCJE"},
                                       {"Positionals", "Argumenty"},
                                       {"REQUIRED", "WYMAGANY"},
                                       {"TEXT", "TEKST"}})
        app.get_formatter()->label(klucz, tekst);
    app.add_option("--instructions", o.rozkazy, "zestaw rozkazów (.roz) zamiast standardowego");
    app.add_option("--preset", o.preset, "maszyna: K, K+, L, EK albo Max");
    app.add_option("--machine", o.maszyna, "plik maszyny (.mas): zbiór istniejących sygnałów");
    app.add_option("--address-bits", o.bityAdresuTekst, "liczba bitów adresu, 5..24")
        ->type_name("LICZBA");
    app.add_option("--code-bits", o.bityKoduTekst, "liczba bitów kodu, 3..8")->type_name("LICZBA");
    app.add_option("--max-ticks", o.maksTaktowTekst,
                   "limit taktów (domyślnie 10000000; 0 nic nie uruchamia)")
        ->type_name("LICZBA");
    app.add_flag("--microprogram", o.mikroprogram, "dołącz skompilowaną pamięć mikroprogramu");
    app.add_flag("--json", o.json,
                 "wynik jako obiekt JSON; przy wielu programach jeden obiekt w wierszu");
    app.add_option("--input", o.wejscie, "początkowa zawartość linii wejściowej konsoli");
    app.add_option(
           "--irq", o.przerwania,
           "TAKT:N zgłasza przerwanie N (1..8) tuż przed taktem TAKT (od 1); można powtarzać")
        ->allow_extra_args(false);
    app.add_option("--break", o.punkty,
                   "\"CO RELACJA WARTOŚĆ1 [WARTOŚĆ2] [@ADRES]\": punkt zatrzymania; CO 0..20, "
                   "RELACJA 0..6; "
                   "można powtarzać")
        ->allow_extra_args(false);
    app.add_option("--trace", o.slad,
                   "zapisz każdy takt do pliku CSV (tylko dla jednego programu)");
    app.add_option("--picture", o.obraz,
                   "zapisz schemat maszyny po przebiegu jako opis rysunku w JSON (tylko dla "
                   "jednego programu)")
        ->type_name("PLIK");
    app.add_option("--choose", o.wybrane,
                   "SYGNAŁ wybrany jak w trybie ręcznym, niebieski na schemacie z --picture; można "
                   "powtarzać")
        ->allow_extra_args(false);
    app.add_option("--expect", o.oczekiwania, "plik JSON ze stanem oczekiwanym po przebiegu")
        ->type_name("PLIK");
    app.add_option("--set", o.ustawienia,
                   "NAZWA=WARTOŚĆ albo [ADRES]=WARTOŚĆ: rejestr, flaga albo słowo pamięci "
                   "ustawione po resecie, "
                   "przed przebiegiem; można powtarzać")
        ->allow_extra_args(false);
    app.add_option("--jobs", o.watkiTekst, "liczba równoległych wątków (domyślnie liczba rdzeni)")
        ->type_name("LICZBA");
    app.add_option("--report", o.raport, "zapisz wiersz na program do pliku CSV")
        ->type_name("PLIK");
    app.add_flag("--strict", o.scisle,
                 "błędy kompilacji mikroprogramu albo programu są niepowodzeniem");
    app.add_option("PROGRAM", o.programy, "programy (.prg) albo foldery z nimi")->required();
    try {
        app.parse(argc, argv);
    } catch (const CLI::Success& e) {
        return app.exit(e);
    } catch (const CLI::ParseError& e) {
        Porazka(BladParsera(e) + " (opcje opisuje --help)");
    }
    if (!o.preset.empty() && o.preset != "K" && o.preset != "K+" && o.preset != "L" &&
        o.preset != "EK" && o.preset != "Max")
        Porazka("nieznana maszyna \"" + o.preset + "\": --preset oczekuje K, K+, L, EK albo Max");

    TSymulator wzor;
    TZadanie z;
    if (!o.bityAdresuTekst.empty())
        z.BityAdresu =
            static_cast<int>(CzytajLiczbeOpcji("--address-bits", o.bityAdresuTekst, 5, 24));
    if (!o.bityKoduTekst.empty())
        z.BityKodu = static_cast<int>(CzytajLiczbeOpcji("--code-bits", o.bityKoduTekst, 3, 8));
    if (!o.maksTaktowTekst.empty())
        z.MaksTaktow = CzytajLiczbeOpcji("--max-ticks", o.maksTaktowTekst, 0,
                                         std::numeric_limits<std::uint64_t>::max());
    int watki = static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
    if (!o.watkiTekst.empty())
        watki = static_cast<int>(CzytajLiczbeOpcji("--jobs", o.watkiTekst, 1, 256));

    for (const auto& t : o.przerwania)
        z.Przerwania.push_back(CzytajPrzerwanie(t));
    std::stable_sort(z.Przerwania.begin(), z.Przerwania.end(),
                     [](auto& a, auto& b) { return a.Takt < b.Takt; });

    std::string blad;
    std::string uwaga;
    if (!o.rozkazy.empty() && !wzor.WczytajRozkazy(o.rozkazy, blad, &uwaga)) Porazka(blad);
    if (!uwaga.empty()) std::cerr << "symulator-cli: " << uwaga << "\n";
    wzor.UstawSzerokosci(z.BityAdresu, z.BityKodu);
    if (!o.preset.empty()) wzor.ZastosujPreset(o.preset);
    if (!o.maszyna.empty() && !wzor.WczytajMaszyne(o.maszyna, blad)) Porazka(blad);
    for (const auto& nazwa : o.wybrane) {
        const int n = NumerSygnalu(nazwa);
        if (n <= 0) Porazka("nieznany sygnał \"" + nazwa + "\" w --choose");
        if (!wzor.Architektura.Jest(n)) Porazka("sygnału \"" + nazwa + "\" nie ma w tej maszynie");
        if (!wzor.Architektura.Sygnaly[static_cast<std::size_t>(n)].Wybrany) wzor.PrzelaczSygnal(n);
    }
    for (const auto& t : o.punkty) {
        z.Punkty.push_back(CzytajPunkt(t));
        if (!wzor.DodajPunkt(z.Punkty.back(), blad)) Porazka(blad);
    }
    for (const auto& t : o.ustawienia)
        z.Ustawienia.push_back(CzytajUstawienie(t, wzor));
    z.ListaRozkazow = wzor.ListaRozkazow;
    z.Architektura = wzor.Architektura;

    TOczekiwania oczekiwania;
    if (!o.oczekiwania.empty()) {
        if (!oczekiwania.Wczytaj(o.oczekiwania, blad)) Porazka(blad);
        z.Oczekiwania = &oczekiwania;
    }
    z.Wejscie = o.wejscie;
    z.Slad = o.slad;
    z.Obraz = o.obraz;
    z.Json = o.json;
    z.Mikroprogram = o.mikroprogram;
    z.Scisle = o.scisle;
    const std::vector<std::string> programy = ListaProgramow(o.programy, z.WieleProgramow);
    if (programy.empty()) Porazka("brak programów .prg do uruchomienia");
    if (!z.Slad.empty() && programy.size() > 1)
        Porazka("--trace zapisuje przebieg tylko jednego programu");
    if (!z.Obraz.empty() && programy.size() > 1)
        Porazka("--picture zapisuje schemat tylko jednego programu");

    std::unique_ptr<TRaportCsv> raport;
    if (!o.raport.empty()) raport = std::make_unique<TRaportCsv>(o.raport);
    int kod = KodZatrzymana;
    bool pierwszy = true;
    UruchomProgramy(z, programy, watki, [&](TWynikProgramu& w) {
        kod = pierwszy ? w.Kod : GorszyKod(kod, w.Kod);
        pierwszy = false;
        std::cout << w.Wyjscie;
        std::cerr << w.Bledy;
        if (raport) raport->Dodaj(w);
    });
    if (raport) raport->Zamknij();
    return ZakonczWyjscie(kod);
}
