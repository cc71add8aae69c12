#include "Sprawdzanie.h"

#include <algorithm>
#include <charconv>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace {

using Json = nlohmann::ordered_json;

constexpr std::uintmax_t MaksRozmiarPliku = 16u * 1024 * 1024;

// {"min": A, "max": B} (either may be left out) or {"matches": "REGEX"}.
bool Forma(const Json& j) {
    if (!j.is_object() || j.empty()) return false;
    const bool wzorzec = j.contains("matches");
    for (const auto& [k, v] : j.items())
        if (wzorzec ? k != "matches" : (k != "min" && k != "max")) return false;
    return true;
}

std::string Tekst(const Json& j) {
    return j.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
}

std::string Opis(const Json& j) {
    if (!Forma(j)) return Tekst(j);
    if (j.contains("matches")) return "tekstu zgodnego z /" + j["matches"].get<std::string>() + "/";
    if (j.contains("min") && j.contains("max"))
        return "od " + Tekst(j["min"]) + " do " + Tekst(j["max"]);
    return j.contains("min") ? "co najmniej " + Tekst(j["min"]) : "co najwyżej " + Tekst(j["max"]);
}

// Checks the forms and compiles the patterns; the first fault in `blad`.
bool Przygotuj(const Json& j, const std::string& sciezka, std::map<std::string, std::regex>& wzorce,
               std::string& blad) {
    if (Forma(j)) {
        if (j.contains("matches")) {
            if (!j["matches"].is_string()) {
                blad = sciezka + ": \"matches\" oczekuje tekstu";
                return false;
            }
            const auto& t = j["matches"].get_ref<const std::string&>();
            try {
                wzorce.try_emplace(t, t);
            } catch (const std::regex_error&) {
                blad = sciezka + ": nieprawidłowe wyrażenie regularne \"" + t + "\"";
                return false;
            }
            return true;
        }
        for (const char* k : {"min", "max"})
            if (j.contains(k) && !j[k].is_number()) {
                blad = sciezka + ": \"" + k + "\" oczekuje liczby";
                return false;
            }
        return true;
    }
    if (j.is_object()) {
        for (const auto& [k, v] : j.items())
            if (!Przygotuj(v, sciezka.empty() ? k : sciezka + "." + k, wzorce, blad)) return false;
    } else if (j.is_array()) {
        for (std::size_t i = 0; i < j.size(); ++i)
            if (!Przygotuj(j[i], sciezka + "[" + std::to_string(i) + "]", wzorce, blad))
                return false;
    }
    return true;
}

} // namespace

const TRejestrRaportu* ZnajdzRejestr(std::string_view nazwa) {
    for (const auto& r : RejestryRaportu)
        if (nazwa == r.Nazwa) return &r;
    return nullptr;
}

const TFlagaRaportu* ZnajdzFlage(std::string_view nazwa) {
    for (const auto& f : FlagiRaportu)
        if (nazwa == f.Nazwa) return &f;
    return nullptr;
}

bool TOczekiwania::Wczytaj(const std::string& sciezka, std::string& blad) {
    std::error_code ec;
    const auto rozmiar = std::filesystem::file_size(sciezka, ec);
    std::ifstream plik(sciezka, std::ios::binary);
    if (ec || !plik) {
        blad = "nie można otworzyć pliku oczekiwań \"" + sciezka + "\"";
        return false;
    }
    if (rozmiar > MaksRozmiarPliku) {
        blad = "plik oczekiwań \"" + sciezka + "\" jest większy niż 16 MB";
        return false;
    }
    const std::string tekst{std::istreambuf_iterator<char>(plik), std::istreambuf_iterator<char>()};
    if (plik.bad()) {
        blad = "nie można odczytać pliku oczekiwań \"" + sciezka + "\"";
        return false;
    }
    return WczytajTekst(tekst, sciezka, blad);
}

bool TOczekiwania::WczytajTekst(const std::string& tekst, const std::string& nazwa,
                                std::string& blad) {
    const std::string przedrostek = "plik oczekiwań \"" + nazwa + "\"";
    try {
        korzen = Json::parse(tekst);
    } catch (const Json::parse_error& e) {
        // The parser counts the bytes read up to and including the faulty one.
        const std::size_t koniec =
            std::min<std::size_t>(e.byte == 0 ? 0 : e.byte - 1, tekst.size());
        const std::size_t wiersz =
            1 + static_cast<std::size_t>(std::count(
                    tekst.begin(), tekst.begin() + static_cast<std::ptrdiff_t>(koniec), '\n'));
        const std::size_t poczatekWiersza =
            tekst.rfind('\n', koniec == 0 ? std::string::npos : koniec - 1);
        const std::size_t kolumna = poczatekWiersza == std::string::npos || koniec == 0
                                        ? koniec + 1
                                        : koniec - poczatekWiersza;
        blad = przedrostek + ", wiersz " + std::to_string(wiersz) + ", kolumna " +
               std::to_string(kolumna) + ": nieprawidłowy JSON";
        return false;
    }
    if (!korzen.is_object()) {
        blad = przedrostek + ": oczekiwano obiektu JSON";
        return false;
    }
    wzorce.clear();
    std::string powod;
    if (!Przygotuj(korzen, "", wzorce, powod)) {
        blad = przedrostek + ": " + powod;
        return false;
    }
    return true;
}

bool TOczekiwania::Pasuje(const Json& oczekiwane, const Json& jest) const {
    if (Forma(oczekiwane)) {
        if (oczekiwane.contains("matches")) {
            const std::regex& r = wzorce.at(oczekiwane["matches"].get_ref<const std::string&>());
            const auto zgodny = [&](const Json& t) {
                return t.is_string() && std::regex_search(t.get_ref<const std::string&>(), r);
            };
            // Against a list of messages: some line matches.
            return jest.is_array() ? std::any_of(jest.begin(), jest.end(), zgodny) : zgodny(jest);
        }
        return jest.is_number() && (!oczekiwane.contains("min") || jest >= oczekiwane["min"]) &&
               (!oczekiwane.contains("max") || jest <= oczekiwane["max"]);
    }
    if (oczekiwane.is_array()) {
        if (!jest.is_array() || jest.size() != oczekiwane.size()) return false;
        for (std::size_t i = 0; i < jest.size(); ++i)
            if (!Pasuje(oczekiwane[i], jest[i])) return false;
        return true;
    }
    if (oczekiwane.is_object()) {
        if (!jest.is_object()) return false;
        for (const auto& [k, v] : oczekiwane.items())
            if (!jest.contains(k) || !Pasuje(v, jest[k])) return false;
        return true;
    }
    return oczekiwane == jest;
}

void TOczekiwania::Porownaj(const std::string& sciezka, const Json& oczekiwane, const Json* jest,
                            const char* brak, std::vector<TSprawdzenie>& wynik) const {
    if (jest && jest->is_object() && oczekiwane.is_object() && !Forma(oczekiwane)) {
        for (const auto& [k, v] : oczekiwane.items()) {
            const auto it = jest->find(k);
            Porownaj(sciezka + "." + k, v, it == jest->end() ? nullptr : &*it, "brak w raporcie",
                     wynik);
        }
        return;
    }
    TSprawdzenie s;
    s.Sciezka = sciezka;
    s.Oczekiwane = oczekiwane;
    if (jest) s.Jest = *jest;
    s.Zgodne = jest && Pasuje(oczekiwane, *jest);
    s.Linia = sciezka + ": oczekiwano " + Opis(oczekiwane) + ", " +
              (jest ? "jest " + Tekst(*jest) : std::string(brak));
    wynik.push_back(std::move(s));
}

std::vector<TSprawdzenie> TOczekiwania::Sprawdz(const Json& raport, const TMaszyna& m) const {
    std::vector<TSprawdzenie> wynik;
    const TArchitektura& a = m.Architektura();
    for (const auto& [klucz, oczekiwane] : korzen.items()) {
        if (klucz == "registers" && oczekiwane.is_object()) {
            for (const auto& [nazwa, v] : oczekiwane.items()) {
                const TRejestrRaportu* r = ZnajdzRejestr(nazwa);
                if (!r)
                    Porownaj(nazwa, v, nullptr, "brak takiego rejestru", wynik);
                else if (!a.Element(r->Element))
                    Porownaj(nazwa, v, nullptr, "brak w tej architekturze", wynik);
                else
                    Porownaj(nazwa, v, &raport.at("registers").at(nazwa), "", wynik);
            }
        } else if (klucz == "flags" && oczekiwane.is_object()) {
            for (const auto& [nazwa, v] : oczekiwane.items()) {
                const TFlagaRaportu* f = ZnajdzFlage(nazwa);
                const std::string sciezka = "flags." + nazwa;
                if (!f)
                    Porownaj(sciezka, v, nullptr, "brak takiej flagi", wynik);
                else if (!a.Element(f->Element))
                    Porownaj(sciezka, v, nullptr, "brak w tej architekturze", wynik);
                else
                    Porownaj(sciezka, v, &raport.at("flags").at(nazwa), "", wynik);
            }
        } else if (klucz == "memory" && oczekiwane.is_object()) {
            for (const auto& [adres, v] : oczekiwane.items()) {
                std::uint64_t n = 0;
                const auto [koniec, blad] =
                    std::from_chars(adres.data(), adres.data() + adres.size(), n, 10);
                const std::string sciezka = "[" + adres + "]";
                if (adres.empty() || blad != std::errc{} || koniec != adres.data() + adres.size() ||
                    n > m.MaskaAdresu()) {
                    Porownaj(sciezka, v, nullptr, "nie ma takiego adresu", wynik);
                } else {
                    const Json slowo = m.CzytajPaO(static_cast<std::int64_t>(n));
                    Porownaj(sciezka, v, &slowo, "", wynik);
                }
            }
        } else {
            const auto it = raport.find(klucz);
            Porownaj(klucz, oczekiwane, it == raport.end() ? nullptr : &*it, "brak w raporcie",
                     wynik);
        }
    }
    return wynik;
}
