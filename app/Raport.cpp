#include "Raport.h"

#include <sstream>

#include "Sprawdzanie.h"
#include "TSymulator.h"

using Json = nlohmann::ordered_json;

std::string TekstJson(const Json& j, int wciecie) {
    return j.dump(wciecie, ' ', false, nlohmann::json::error_handler_t::replace);
}

Json RaportJson(const TSymulator& s, std::uint64_t takty, bool punktTrafiony,
                const std::vector<std::string>& komunikatyMikroprogramu, bool mikroprogram) {
    const TMaszyna& m = s.Maszyna;
    Json j;
    j["halted"] = m.Zatrzymana();
    j["ticks"] = takty;
    j["stopped_by_breakpoint"] = !m.Zatrzymana() && punktTrafiony;
    for (const auto& r : RejestryRaportu)
        j["registers"][r.Nazwa] = m.Wartosc(r.Slot);
    for (const auto& f : FlagiRaportu)
        j["flags"][f.Nazwa] = static_cast<int>(m.WarunekSpelniony(f.Warunek));
    j["memory"] = Json::array();
    for (const auto& k : m.PaO().Komorki())
        j["memory"].push_back({{"address", k.Adres},
                               {"code", k.Kod},
                               {"argument", k.Argument},
                               {"word", m.CzytajPaO(k.Adres)}});
    j["output"] = s.Konsola.WyjscieTekst();
    j["messages"] = s.Dziennik.Linie();
    j["microprogram_messages"] = komunikatyMikroprogramu;
    j["assembler_messages"] = s.WynikAsemblacji.Komunikaty;
    if (mikroprogram) {
        j["microprogram_table"] = Json::array();
        for (const auto& w : s.PamiecMikroprogramu.Wiersze())
            j["microprogram_table"].push_back({{"row", w.Adres},
                                               {"instruction", w.Rozkaz},
                                               {"label", w.Etykieta},
                                               {"signals", w.Sygnaly},
                                               {"cel0", w.Cel0},
                                               {"cel1", w.Cel1},
                                               {"condition", w.Warunek}});
    }
    return j;
}

bool CzytajCalkowita(const std::string& t, long long& w) {
    if (t.empty()) return false;
    std::size_t poz = 0;
    try {
        w = std::stoll(t, &poz, 10);
    } catch (...) {
        return false;
    }
    return poz == t.size();
}

bool CzytajUstawienie(const std::string& t, const TSymulator& s, TUstawienie& u,
                      std::string& blad) {
    const auto rowne = t.find('=');
    const std::string nazwa = t.substr(0, rowne == std::string::npos ? t.size() : rowne);
    long long v = 0;
    if (rowne == std::string::npos || !CzytajCalkowita(t.substr(rowne + 1), v)) {
        blad = "oczekiwano NAZWA=WARTOŚĆ albo [ADRES]=WARTOŚĆ";
        return false;
    }
    const TMaszyna& m = s.Maszyna;
    // A value fits when it is a word of `bity` bits read as unsigned or as two's complement.
    const auto wartosc = [&](int bity, const std::string& czego) {
        const long long maks = (1LL << bity) - 1, min = -(1LL << (bity - 1));
        if (v < min || v > maks) {
            blad = czego + " ma " + std::to_string(bity) + " bitów, wartość od " +
                   std::to_string(min) + " do " + std::to_string(maks);
            return false;
        }
        u.Wartosc = static_cast<std::uint32_t>(static_cast<std::uint64_t>(v) &
                                               static_cast<std::uint64_t>(maks));
        return true;
    };
    u = {};
    if (nazwa.size() > 2 && nazwa.front() == '[' && nazwa.back() == ']') {
        long long adres = 0;
        if (!CzytajCalkowita(nazwa.substr(1, nazwa.size() - 2), adres) || adres < 0 ||
            adres > static_cast<long long>(m.MaskaAdresu())) {
            blad = "adres od 0 do " + std::to_string(m.MaskaAdresu());
            return false;
        }
        if (!s.Architektura.Element(TKomponent::PaO)) {
            blad = "ta architektura nie ma pamięci PaO";
            return false;
        }
        u.Adres = adres;
        return wartosc(m.BitySlowa(), "słowo");
    }
    if (const TRejestrRaportu* r = ZnajdzRejestr(nazwa)) {
        if (!s.Architektura.Element(r->Element)) {
            blad = "ta architektura nie ma rejestru " + nazwa;
            return false;
        }
        u.Slot = r->Slot;
        return wartosc(m.Szerokosc(r->Slot), "rejestr " + nazwa);
    }
    if (const TFlagaRaportu* f = ZnajdzFlage(nazwa)) {
        if (!f->Slot) {
            blad = "flagi " + nazwa + " nie da się ustawić, wynika z " +
                   (f->Warunek == TWarunek::Int ? "RP" : "AK");
            return false;
        }
        if (!s.Architektura.Element(f->Element)) {
            blad = "ta architektura nie ma flagi " + nazwa;
            return false;
        }
        if (v != 0 && v != 1) {
            blad = "flaga przyjmuje 0 albo 1";
            return false;
        }
        u.Slot = f->Slot;
        u.Wartosc = static_cast<std::uint32_t>(v);
        return true;
    }
    blad = "nie ma rejestru ani flagi " + nazwa;
    return false;
}

void ZastosujUstawienie(TSymulator& s, const TUstawienie& u) {
    if (u.Slot)
        s.UstawRejestr(u.Slot, u.Wartosc);
    else
        s.PiszPaO(u.Adres, u.Wartosc);
}

bool CzytajPunkt(const std::string& t, TPunktZatrzymania& p, std::string& blad) {
    std::istringstream we(t);
    std::vector<std::string> slowa;
    for (std::string s; we >> s;)
        slowa.push_back(s);
    p = {};
    std::vector<long long> liczby;
    bool maAdres = false;
    for (const auto& s : slowa) {
        long long v = 0;
        if (!s.empty() && s[0] == '@') {
            if (maAdres || !CzytajCalkowita(s.substr(1), v) || v < INT32_MIN || v > INT32_MAX) {
                blad = "nieprawidłowy adres";
                return false;
            }
            p.AdresKomorki = static_cast<std::int32_t>(v);
            maAdres = true;
        } else if (CzytajCalkowita(s, v) && v >= INT32_MIN && v <= INT32_MAX) {
            liczby.push_back(v);
        } else {
            blad = "nieprawidłowe słowo \"" + s + "\"";
            return false;
        }
    }
    if (liczby.size() < 3 || liczby.size() > 4) {
        blad = "oczekiwano \"CO RELACJA WARTOŚĆ1 [WARTOŚĆ2] [@ADRES]\"";
        return false;
    }
    p.Co = static_cast<std::int32_t>(liczby[0]);
    p.Relacja = static_cast<std::int32_t>(liczby[1]);
    p.Wartosc1 = static_cast<std::int32_t>(liczby[2]);
    if (liczby.size() == 4) p.Wartosc2 = static_cast<std::int32_t>(liczby[3]);
    if (p.Co < 0 || p.Co > 20) {
        blad = "CO musi być liczbą od 0 do 20";
        return false;
    }
    if (p.Relacja < 0 || p.Relacja > 6) {
        blad = "RELACJA musi być liczbą od 0 do 6";
        return false;
    }
    return true;
}
