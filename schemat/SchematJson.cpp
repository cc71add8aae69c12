#include "SchematJson.h"

#include <cstdio>

namespace {

std::string Kolor(TKolor k) {
    char t[8];
    std::snprintf(t, sizeof t, "#%06x", static_cast<unsigned>(k & 0xFFFFFFu));
    return t;
}

nlohmann::json Obszar(const TObszar& o) {
    return nlohmann::json::array({o.Lewo, o.Gora, o.Prawo, o.Dol});
}

const char* NazwaMenu(TRodzajMenu m) {
    switch (m) {
    case TRodzajMenu::Brak:
        return "none";
    case TRodzajMenu::Rejestr:
        return "register";
    case TRodzajMenu::Bit:
        return "bit";
    case TRodzajMenu::Magistrala:
        return "bus";
    }
    return "none";
}

const char* NazwaMiejsca(TRodzajMiejsca r) {
    switch (r) {
    case TRodzajMiejsca::Sygnal:
        return "signal";
    case TRodzajMiejsca::Rejestr:
        return "register";
    case TRodzajMiejsca::NazwaFlagi:
        return "flag_name";
    case TRodzajMiejsca::Magistrala:
        return "bus_bar";
    }
    return "";
}

nlohmann::json Prymityw(const TPrymityw& p) {
    nlohmann::json j;
    switch (p.Rodzaj) {
    case TRodzajPrymitywu::Prostokat:
        j = {{"kind", "rect"}, {"rect", {p.X1, p.Y1, p.X2, p.Y2}}, {"fill", Kolor(p.Kolor)}};
        if (p.Obrys) j["outline"] = Kolor(KolorCzarny);
        break;
    case TRodzajPrymitywu::Linia:
        j = {{"kind", "line"},
             {"from", {p.X1, p.Y1}},
             {"to", {p.X2, p.Y2}},
             {"color", Kolor(p.Kolor)},
             {"width", p.Grubosc}};
        break;
    case TRodzajPrymitywu::Tekst:
        j = {{"kind", "text"},
             {"at", {p.X1, p.Y1}},
             {"text", p.Tekst},
             {"color", Kolor(p.Kolor)},
             {"font",
              {{"name", std::string(p.Czcionka.Nazwa)},
               {"size", p.Czcionka.Rozmiar},
               {"bold", p.Czcionka.Gruba},
               {"italic", p.Czcionka.Kursywa}}}};
        break;
    case TRodzajPrymitywu::Piksel:
        j = {{"kind", "pixel"}, {"at", {p.X1, p.Y1}}, {"color", Kolor(p.Kolor)}};
        break;
    }
    return j;
}

} // namespace

nlohmann::json MiejsceJson(const TMiejsce& m) {
    nlohmann::json j = {{"kind", NazwaMiejsca(m.Rodzaj)}, {"rect", Obszar(m.Obszar)}};
    if (m.Rodzaj == TRodzajMiejsca::Sygnal) {
        j["signal"] = std::string(NazwySygnalow[static_cast<std::size_t>(m.Numer)]);
    } else {
        j["slot"] = m.Numer;
    }
    if (m.Rodzaj == TRodzajMiejsca::Rejestr) j["menu"] = NazwaMenu(m.Menu);
    if (!m.PelnaWartosc.empty()) j["full_value"] = m.PelnaWartosc;
    return j;
}

nlohmann::json SchematJson(const TObrazSchematu& obraz) {
    nlohmann::json prymitywy = nlohmann::json::array();
    for (const TPrymityw& p : obraz.Prymitywy)
        prymitywy.push_back(Prymityw(p));
    nlohmann::json miejsca = nlohmann::json::array();
    for (const TMiejsce& m : obraz.Miejsca)
        miejsca.push_back(MiejsceJson(m));
    nlohmann::json j = {{"width", TObrazSchematu::Szerokosc},
                        {"height", TObrazSchematu::Wysokosc},
                        {"primitives", std::move(prymitywy)},
                        {"places", std::move(miejsca)},
                        {"memory_position", obraz.PozycjaPamieci},
                        {"memory_last_position", obraz.OstatniaPozycjaPamieci}};
    if (!obraz.PasekPamieci.Pusty()) j["memory_scroll_bar"] = Obszar(obraz.PasekPamieci);
    if (!obraz.PrzyciskiPrzerwan.Pusty()) j["irq_buttons"] = Obszar(obraz.PrzyciskiPrzerwan);
    return j;
}

std::string SchematJsonTekst(const TObrazSchematu& obraz) {
    const nlohmann::json j = SchematJson(obraz);
    std::string t = "{";
    const char* przecinek = "\n";
    for (const auto& [klucz, wartosc] : j.items()) {
        t += przecinek + nlohmann::json(klucz).dump() + ": ";
        przecinek = ",\n";
        if (!wartosc.is_array() || wartosc.empty() || !wartosc[0].is_object()) {
            t += wartosc.dump();
            continue;
        }
        const char* p = "[\n";
        for (const auto& w : wartosc) {
            t += p + w.dump();
            p = ",\n";
        }
        t += "\n]";
    }
    return t + "\n}\n";
}
