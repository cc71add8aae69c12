#pragma once
// The text layer every file kind goes through: Windows-1250 at the file boundary,
// UTF-8 everywhere inside the program.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tekst {

// Decodes Windows-1250 bytes to UTF-8. Every one of the 256 byte values maps to a
// distinct character (the five unassigned ones to the C1 controls of the same number),
// so decoding followed by KodujCp1250 gives back the same bytes.
std::string DekodujCp1250(std::string_view bajty);

// Encodes UTF-8 text to Windows-1250. Returns false when a character has no
// Windows-1250 byte; `znak` then holds that character and `linia` its 1-based line.
bool KodujCp1250(std::string_view utf8, std::string& wynik, std::string& znak, int& linia);

// The Windows-1250 byte of the first character of `utf8`, its length in bytes in `dlugosc`;
// '?' for a character Windows-1250 has no byte for. `utf8` must not be empty.
std::uint8_t PierwszyZnakCp1250(std::string_view utf8, std::size_t& dlugosc);

// True when `bajty` is well-formed UTF-8.
bool PoprawneUtf8(std::string_view bajty);

// The contents of a file as UTF-8: bytes that are valid UTF-8 and contain a non-ASCII
// character are taken as UTF-8, anything else as Windows-1250.
std::string OdczytajTekst(std::string_view bajty);

// Splits at CR LF, CR or LF; a line break at the very end adds no empty line.
std::vector<std::string> PodzielNaLinie(std::string_view tekst);

// Every line followed by CR LF.
std::string ZlaczLinie(const std::vector<std::string>& linie);

// Folds A-Z to a-z and nothing else.
std::string MaleLitery(std::string_view s);
void MaleLiteryWMiejscu(std::string& s);

// Files larger than this are refused rather than read.
inline constexpr std::size_t MaksRozmiarPliku = 256u * 1024 * 1024;

// The contents of a file as lines (see OdczytajTekst), for bytes that come from elsewhere
// than the disk.
std::vector<std::string> LinieZBajtow(std::string_view bajty);

// The bytes ZapiszLinie would write; false, with a Polish message in `blad`, when a
// character has no Windows-1250 byte.
bool BajtyZLinii(const std::vector<std::string>& linie, std::string& bajty, std::string& blad);

// Reads a whole file as lines (see OdczytajTekst). On failure returns false and a
// Polish message in `blad`.
bool WczytajLinie(const std::string& sciezka, std::vector<std::string>& linie, std::string& blad);

// Writes lines in Windows-1250 with CR LF through TZapisPliku. A character that
// Windows-1250 cannot hold refuses the whole save with a message in `blad`.
bool ZapiszLinie(const std::string& sciezka, const std::vector<std::string>& linie,
                 std::string& blad);

// The reason of a failed file operation, in Polish ("brak uprawnień", ...), for the
// error number `numer` (errno).
std::string PrzyczynaBledu(int numer);

// A save that leaves the target either as it was or complete: the bytes go to a new,
// uniquely named file in the target's folder (created exclusively, never through a
// link), are flushed to the disk and renamed over the target. A target that is a
// symbolic link keeps the link; the file it points to is replaced. The target's
// permissions are kept. Every failure removes the temporary file and gives a Polish
// message naming the file and the reason; so does a save that is never finished.
class TZapisPliku {
  public:
    explicit TZapisPliku(std::string sciezka) : sciezka(std::move(sciezka)) {}
    ~TZapisPliku();
    TZapisPliku(const TZapisPliku&) = delete;
    TZapisPliku& operator=(const TZapisPliku&) = delete;

    bool Otworz(std::string& blad);
    bool Pisz(std::string_view bajty, std::string& blad);
    // Flushes, closes and renames; after it (true or false) the object holds nothing.
    bool Zakoncz(std::string& blad);

  private:
    bool Porazka(int numer, std::string& blad);
    void Porzuc();

    std::string sciezka; // as the user named it
    std::string cel;     // the file actually replaced (a link's destination)
    std::string tymczasowy;
    int deskryptor = -1;
};

} // namespace tekst
