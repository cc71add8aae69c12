#include "PlikRozkazow.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <string_view>

#include "Kompilator.h"
#include "Tekst.h"

namespace {

constexpr std::string_view Naglowek = "Nie można wczytać pliku rozkazów. ";
constexpr std::string_view Stopka = " Lista rozkazów nie została zmieniona.";

// A decimal integer of 32 bits with an optional sign; blanks around it are allowed.
bool LiczbaCalkowita(std::string_view s, std::int32_t& wynik) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t'))
        s.remove_suffix(1);
    const bool plus = !s.empty() && s.front() == '+';
    if (plus) s.remove_prefix(1);
    if (s.empty() || (plus && s.front() == '-')) return false;
    const auto [koniec, ec] = std::from_chars(s.data(), s.data() + s.size(), wynik);
    return ec == std::errc{} && koniec == s.data() + s.size();
}

class TCzytnik {
  public:
    TCzytnik(const std::vector<std::string>& linie, std::string& blad) : linie(linie), blad(blad) {}

    bool Tekst(std::string& wynik, const std::string& pole) {
        if (!Jest(pole)) return false;
        wynik = linie[nastepna++];
        return true;
    }

    bool Liczba(std::int32_t& wynik, const std::string& pole, bool nieujemna) {
        if (!Jest(pole)) return false;
        const std::string& t = linie[nastepna++];
        if (!LiczbaCalkowita(t, wynik))
            return Blad("\"" + t + "\" nie jest liczbą całkowitą (" + pole + ").");
        if (nieujemna && wynik < 0)
            return Blad("\"" + t + "\" - " + pole + " nie może być ujemna.");
        return true;
    }

    std::size_t Pozostalo() const { return linie.size() - nastepna; }
    const std::string& Ostatnia() const { return linie[nastepna - 1]; }
    void Pomin(std::size_t ile) { nastepna += ile; }
    std::size_t Pozycja() const { return nastepna; }

    bool Blad(const std::string& tresc, std::size_t numer = 0) {
        blad = std::string(Naglowek) + "Wiersz " + std::to_string(numer ? numer : nastepna) + ": " +
               tresc + std::string(Stopka);
        return false;
    }

  private:
    bool Jest(const std::string& pole) {
        if (nastepna < linie.size()) return true;
        return Blad("brak wiersza (" + pole + "), plik kończy się wcześniej.", nastepna + 1);
    }

    const std::vector<std::string>& linie;
    std::string& blad;
    std::size_t nastepna = 0;
};

} // namespace

std::vector<std::string> LiniePlikuRozkazow(const TListaRozkazow& lista) {
    std::vector<std::string> linie;
    linie.push_back(std::to_string(lista.Count()));
    for (int i = 1; i <= lista.Count(); ++i) {
        const TRozkaz& r = lista[i];
        linie.push_back(r.Nazwa);
        linie.push_back(r.Opis);
        linie.push_back(std::to_string(r.Kod));
        linie.push_back(std::to_string(r.LiczbaArgumentow));
        linie.push_back(std::to_string(r.Mikroprogram.size()));
        linie.insert(linie.end(), r.Mikroprogram.begin(), r.Mikroprogram.end());
    }
    return linie;
}

bool CzytajLiniePlikuRozkazow(const std::vector<std::string>& linie, std::vector<TRozkaz>& rozkazy,
                              std::string& blad, std::string* uwaga) {
    rozkazy.clear();
    if (uwaga) uwaga->clear();
    std::vector<TRozkaz> nowe;
    TCzytnik c(linie, blad);
    std::int32_t liczba = 0;
    if (!c.Liczba(liczba, "liczba rozkazów", true)) return false;
    if (liczba > TListaRozkazow::MaksRozkazow)
        return c.Blad("\"" + c.Ostatnia() + "\" - liczba rozkazów większa niż " +
                      std::to_string(TListaRozkazow::MaksRozkazow) + ".");
    nowe.reserve(static_cast<std::size_t>(liczba));
    for (std::int32_t i = 1; i <= liczba; ++i) {
        const std::string nr = " rozkazu nr " + std::to_string(i);
        TRozkaz r;
        std::int32_t kod = 0, linieMikroprogramu = 0;
        if (!c.Tekst(r.Nazwa, "nazwa" + nr) || !c.Tekst(r.Opis, "opis" + nr) ||
            !c.Liczba(kod, "kod" + nr, false) ||
            !c.Liczba(r.LiczbaArgumentow, "liczba argumentów" + nr, true) ||
            !c.Liczba(linieMikroprogramu, "liczba wierszy mikroprogramu" + nr, true))
            return false;
        // An editor may drop the empty lines at the end of a file. They can only be the
        // last microprogram's own lines, and no more than a microprogram memory holds;
        // a file missing anything else is refused whole.
        const std::size_t wiersze = static_cast<std::size_t>(linieMikroprogramu);
        const std::size_t obecne = std::min(wiersze, c.Pozostalo());
        const std::size_t brakujace = wiersze - obecne;
        if (brakujace > 0 &&
            (i < liczba || brakujace > static_cast<std::size_t>(MaksWierszyMikroprogramu)))
            return c.Blad("\"" + c.Ostatnia() + "\" - mikroprogram" + nr +
                          " wychodzi poza koniec pliku.");
        if (brakujace > 0 && uwaga)
            *uwaga = "Plik kończy się przed końcem mikroprogramu" + nr +
                     ": brakujące wiersze wczytano jako puste (liczba brakujących wierszy: " +
                     std::to_string(brakujace) + ").";
        // The low 16 bits, as the code field holds them.
        r.Kod = static_cast<std::uint16_t>(static_cast<std::uint32_t>(kod));
        const auto od = linie.begin() + static_cast<std::ptrdiff_t>(c.Pozycja());
        r.Mikroprogram.assign(od, od + static_cast<std::ptrdiff_t>(obecne));
        r.Mikroprogram.resize(wiersze);
        c.Pomin(obecne);
        nowe.push_back(std::move(r));
    }
    rozkazy = std::move(nowe);
    return true;
}

bool WczytajPlikRozkazow(const std::string& sciezka, TListaRozkazow& lista, std::string& blad,
                         std::string* uwaga) {
    if (uwaga) uwaga->clear();
    std::vector<std::string> linie;
    if (!tekst::WczytajLinie(sciezka, linie, blad)) return false;
    std::vector<TRozkaz> rozkazy;
    if (!CzytajLiniePlikuRozkazow(linie, rozkazy, blad, uwaga)) return false;
    lista.Zastap(std::move(rozkazy));
    return true;
}

bool ZapiszPlikRozkazow(const std::string& sciezka, const TListaRozkazow& lista,
                        std::string& blad) {
    return tekst::ZapiszLinie(sciezka, LiniePlikuRozkazow(lista), blad);
}
