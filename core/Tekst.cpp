#include "Tekst.h"

#include <array>
#include <cerrno>
#include <cstdio>
#include <random>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tekst {
namespace {

// Code points of the bytes 0x80-0xFF; the unassigned bytes keep their own number.
constexpr std::array<char16_t, 128> GornaPolowa = {
    0x20AC, 0x0081, 0x201A, 0x0083, 0x201E, 0x2026, 0x2020, 0x2021, 0x0088, 0x2030, 0x0160, 0x2039,
    0x015A, 0x0164, 0x017D, 0x0179, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x0098, 0x2122, 0x0161, 0x203A, 0x015B, 0x0165, 0x017E, 0x017A, 0x00A0, 0x02C7, 0x02D8, 0x0141,
    0x00A4, 0x0104, 0x00A6, 0x00A7, 0x00A8, 0x00A9, 0x015E, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x017B,
    0x00B0, 0x00B1, 0x02DB, 0x0142, 0x00B4, 0x00B5, 0x00B6, 0x00B7, 0x00B8, 0x0105, 0x015F, 0x00BB,
    0x013D, 0x02DD, 0x013E, 0x017C, 0x0154, 0x00C1, 0x00C2, 0x0102, 0x00C4, 0x0139, 0x0106, 0x00C7,
    0x010C, 0x00C9, 0x0118, 0x00CB, 0x011A, 0x00CD, 0x00CE, 0x010E, 0x0110, 0x0143, 0x0147, 0x00D3,
    0x00D4, 0x0150, 0x00D6, 0x00D7, 0x0158, 0x016E, 0x00DA, 0x0170, 0x00DC, 0x00DD, 0x0162, 0x00DF,
    0x0155, 0x00E1, 0x00E2, 0x0103, 0x00E4, 0x013A, 0x0107, 0x00E7, 0x010D, 0x00E9, 0x0119, 0x00EB,
    0x011B, 0x00ED, 0x00EE, 0x010F, 0x0111, 0x0144, 0x0148, 0x00F3, 0x00F4, 0x0151, 0x00F6, 0x00F7,
    0x0159, 0x016F, 0x00FA, 0x0171, 0x00FC, 0x00FD, 0x0163, 0x02D9};

void DopiszUtf8(std::string& s, char32_t c) {
    if (c < 0x80) {
        s += static_cast<char>(c);
    } else if (c < 0x800) {
        s += static_cast<char>(0xC0 | (c >> 6));
        s += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        s += static_cast<char>(0xE0 | (c >> 12));
        s += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        s += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        s += static_cast<char>(0xF0 | (c >> 18));
        s += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        s += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        s += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// Reads one UTF-8 character at `i`; returns its length, 0 when the bytes are malformed.
std::size_t CzytajUtf8(std::string_view s, std::size_t i, char32_t& c) {
    const auto b0 = static_cast<unsigned char>(s[i]);
    std::size_t n;
    char32_t min;
    if (b0 < 0x80) {
        c = b0;
        return 1;
    } else if ((b0 & 0xE0) == 0xC0) {
        n = 2, c = b0 & 0x1F, min = 0x80;
    } else if ((b0 & 0xF0) == 0xE0) {
        n = 3, c = b0 & 0x0F, min = 0x800;
    } else if ((b0 & 0xF8) == 0xF0) {
        n = 4, c = b0 & 0x07, min = 0x10000;
    } else {
        return 0;
    }
    if (i + n > s.size()) return 0;
    for (std::size_t k = 1; k < n; ++k) {
        const auto b = static_cast<unsigned char>(s[i + k]);
        if ((b & 0xC0) != 0x80) return 0;
        c = (c << 6) | (b & 0x3F);
    }
    if (c < min || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return 0;
    return n;
}

int BajtCp1250(char32_t c) {
    if (c < 0x80) return static_cast<int>(c);
    for (std::size_t i = 0; i < GornaPolowa.size(); ++i)
        if (GornaPolowa[i] == c) return static_cast<int>(0x80 + i);
    return -1;
}

} // namespace

std::string DekodujCp1250(std::string_view bajty) {
    std::string s;
    s.reserve(bajty.size() + bajty.size() / 8);
    for (char ch : bajty) {
        const auto b = static_cast<unsigned char>(ch);
        if (b < 0x80)
            s += ch;
        else
            DopiszUtf8(s, GornaPolowa[b - 0x80]);
    }
    return s;
}

bool KodujCp1250(std::string_view utf8, std::string& wynik, std::string& znak, int& linia) {
    wynik.clear();
    wynik.reserve(utf8.size());
    linia = 1;
    for (std::size_t i = 0; i < utf8.size();) {
        char32_t c;
        std::size_t n = CzytajUtf8(utf8, i, c);
        int b = n ? BajtCp1250(c) : -1;
        if (b < 0) {
            znak = n ? std::string(utf8.substr(i, n)) : std::string("?");
            return false;
        }
        if (c == '\n') ++linia;
        wynik += static_cast<char>(b);
        i += n;
    }
    return true;
}

std::uint8_t PierwszyZnakCp1250(std::string_view utf8, std::size_t& dlugosc) {
    char32_t c;
    std::size_t n = CzytajUtf8(utf8, 0, c);
    if (n == 0) {
        dlugosc = 1;
        return '?';
    }
    dlugosc = n;
    int b = BajtCp1250(c);
    return static_cast<std::uint8_t>(b < 0 ? '?' : b);
}

bool PoprawneUtf8(std::string_view bajty) {
    for (std::size_t i = 0; i < bajty.size();) {
        char32_t c;
        std::size_t n = CzytajUtf8(bajty, i, c);
        if (n == 0) return false;
        i += n;
    }
    return true;
}

std::string OdczytajTekst(std::string_view bajty) {
    bool ascii = true;
    for (char c : bajty)
        if (static_cast<unsigned char>(c) >= 0x80) {
            ascii = false;
            break;
        }
    if (ascii) return std::string(bajty);
    if (PoprawneUtf8(bajty)) return std::string(bajty);
    return DekodujCp1250(bajty);
}

std::vector<std::string> PodzielNaLinie(std::string_view tekst) {
    std::vector<std::string> linie;
    std::size_t poczatek = 0;
    for (std::size_t i = 0; i < tekst.size(); ++i) {
        if (tekst[i] == '\r' || tekst[i] == '\n') {
            linie.emplace_back(tekst.substr(poczatek, i - poczatek));
            if (tekst[i] == '\r' && i + 1 < tekst.size() && tekst[i + 1] == '\n') ++i;
            poczatek = i + 1;
        }
    }
    if (poczatek < tekst.size()) linie.emplace_back(tekst.substr(poczatek));
    return linie;
}

std::string ZlaczLinie(const std::vector<std::string>& linie) {
    std::string s;
    std::size_t n = 0;
    for (const auto& l : linie)
        n += l.size() + 2;
    s.reserve(n);
    for (const auto& l : linie) {
        s += l;
        s += "\r\n";
    }
    return s;
}

void MaleLiteryWMiejscu(std::string& s) {
    for (char& c : s)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
}

std::string MaleLitery(std::string_view s) {
    std::string w(s);
    MaleLiteryWMiejscu(w);
    return w;
}

std::string PrzyczynaBledu(int numer) {
    switch (numer) {
    case EACCES:
    case EPERM:
        return "brak uprawnień";
    case ENOENT:
        return "nie ma takiego pliku ani katalogu";
    case ENOTDIR:
        return "część ścieżki nie jest katalogiem";
    case EISDIR:
        return "to jest katalog";
    case ENOSPC:
    case EDQUOT:
        return "brak miejsca na dysku";
    case EROFS:
        return "dysk tylko do odczytu";
    case ENAMETOOLONG:
        return "za długa nazwa";
    case ELOOP:
        return "za dużo dowiązań symbolicznych";
    case EFBIG:
        return "plik za duży";
    case EIO:
        return "błąd wejścia-wyjścia";
    case EPIPE:
        return "odbiorca zamknął potok";
    case EMFILE:
    case ENFILE:
        return "za dużo otwartych plików";
    case EBUSY:
    case ETXTBSY:
        return "plik jest zajęty";
    case EEXIST:
        return "nie udało się utworzyć pliku tymczasowego";
    default:
        return "błąd systemu nr " + std::to_string(numer);
    }
}

namespace {

// Closes a descriptor at the end of a scope.
struct TDeskryptor {
    int fd;
    ~TDeskryptor() {
        if (fd >= 0) ::close(fd);
    }
};

// The folder part of a path, "." for a bare name.
std::string Folder(const std::string& p) {
    const auto i = p.find_last_of('/');
    if (i == std::string::npos) return ".";
    return i == 0 ? "/" : p.substr(0, i);
}

// Follows symbolic links from `sciezka` to the name they end at, which need not exist.
// Returns 0, or the error number.
int KoniecDowiazan(const std::string& sciezka, std::string& cel) {
    cel = sciezka;
    for (int poziom = 0; poziom < 40; ++poziom) {
        struct stat st;
        if (::lstat(cel.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return 0;
        std::array<char, 4096> bufor;
        const ssize_t n = ::readlink(cel.c_str(), bufor.data(), bufor.size());
        if (n < 0) return errno;
        if (static_cast<std::size_t>(n) == bufor.size()) return ENAMETOOLONG;
        std::string wskazany(bufor.data(), static_cast<std::size_t>(n));
        if (wskazany.empty() || wskazany.front() == '/') {
            cel = std::move(wskazany);
        } else {
            const auto i = cel.find_last_of('/');
            cel = (i == std::string::npos ? std::string() : cel.substr(0, i + 1)) + wskazany;
        }
    }
    return ELOOP;
}

} // namespace

bool WczytajLinie(const std::string& sciezka, std::vector<std::string>& linie, std::string& blad) {
    // Non-blocking, so that a named pipe is refused instead of waited on.
    TDeskryptor plik{::open(sciezka.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK)};
    if (plik.fd < 0) {
        blad = "Nie można otworzyć pliku \"" + sciezka + "\": " + PrzyczynaBledu(errno) + ".";
        return false;
    }
    struct stat st;
    if (::fstat(plik.fd, &st) != 0) {
        blad = "Błąd odczytu pliku \"" + sciezka + "\": " + PrzyczynaBledu(errno) + ".";
        return false;
    }
    if (!S_ISREG(st.st_mode)) {
        blad = "Nie można odczytać pliku \"" + sciezka +
               "\": " + (S_ISDIR(st.st_mode) ? "to jest katalog." : "to nie jest zwykły plik.");
        return false;
    }
    std::string bajty;
    char bufor[65536];
    for (;;) {
        const ssize_t n = ::read(plik.fd, bufor, sizeof bufor);
        if (n == 0) break;
        if (n < 0) {
            if (errno == EINTR) continue;
            blad = "Błąd odczytu pliku \"" + sciezka + "\": " + PrzyczynaBledu(errno) + ".";
            return false;
        }
        bajty.append(bufor, static_cast<std::size_t>(n));
        if (bajty.size() > MaksRozmiarPliku) {
            blad = "Plik \"" + sciezka + "\" jest za duży.";
            return false;
        }
    }
    linie = LinieZBajtow(bajty);
    return true;
}

std::vector<std::string> LinieZBajtow(std::string_view bajty) {
    return PodzielNaLinie(OdczytajTekst(bajty));
}

bool BajtyZLinii(const std::vector<std::string>& linie, std::string& bajty, std::string& blad) {
    std::string wynik, znak;
    int linia = 0;
    // On a refusal the caller's bytes stay as they were.
    if (KodujCp1250(ZlaczLinie(linie), wynik, znak, linia)) {
        bajty = std::move(wynik);
        return true;
    }
    blad = "Znaku \"" + znak + "\" w linii " + std::to_string(linia) +
           " nie można zapisać w kodowaniu Windows-1250. Plik nie został zapisany.";
    return false;
}

TZapisPliku::~TZapisPliku() {
    Porzuc();
}

void TZapisPliku::Porzuc() {
    if (deskryptor >= 0) ::close(deskryptor);
    if (!tymczasowy.empty()) ::unlink(tymczasowy.c_str());
    deskryptor = -1;
    tymczasowy.clear();
}

bool TZapisPliku::Porazka(int numer, std::string& blad) {
    Porzuc();
    blad = "Nie można zapisać pliku \"" + sciezka + "\": " + PrzyczynaBledu(numer) + ".";
    return false;
}

bool TZapisPliku::Otworz(std::string& blad) {
    Porzuc();
    if (const int e = KoniecDowiazan(sciezka, cel)) return Porazka(e, blad);
    struct stat st;
    const bool jest = ::stat(cel.c_str(), &st) == 0;
    if (jest && S_ISDIR(st.st_mode)) return Porazka(EISDIR, blad);
    // A short name of its own, whatever the length of the target's name; never an
    // existing file or link, whoever made it.
    std::random_device los;
    for (int proba = 0; proba < 100 && deskryptor < 0; ++proba) {
        const std::uint64_t n = (static_cast<std::uint64_t>(los()) << 32) ^ los();
        char nazwa[32];
        std::snprintf(nazwa, sizeof nazwa, ".~zapis-%016llx.tmp",
                      static_cast<unsigned long long>(n));
        const std::string t = Folder(cel) + "/" + nazwa;
        deskryptor = ::open(t.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC,
                            jest ? (st.st_mode & 0777) : 0666);
        if (deskryptor >= 0)
            tymczasowy = t;
        else if (errno != EEXIST)
            return Porazka(errno, blad);
    }
    if (deskryptor < 0) return Porazka(EEXIST, blad);
    if (jest) {
        // Someone else's file becomes ours when we may not give it away: not an error.
        if (::fchown(deskryptor, st.st_uid, st.st_gid) != 0) {
        }
        if (::fchmod(deskryptor, st.st_mode & 07777) != 0) return Porazka(errno, blad);
    }
    return true;
}

bool TZapisPliku::Pisz(std::string_view bajty, std::string& blad) {
    if (deskryptor < 0) return Porazka(EBADF, blad);
    while (!bajty.empty()) {
        const ssize_t n = ::write(deskryptor, bajty.data(), bajty.size());
        if (n < 0) {
            if (errno == EINTR) continue;
            return Porazka(errno, blad);
        }
        bajty.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

bool TZapisPliku::Zakoncz(std::string& blad) {
    if (deskryptor < 0) return Porazka(EBADF, blad);
    if (::fsync(deskryptor) != 0 && errno != EINVAL) return Porazka(errno, blad);
    const int fd = deskryptor;
    deskryptor = -1;
    if (::close(fd) != 0 && errno != EINTR) return Porazka(errno, blad);
    if (::rename(tymczasowy.c_str(), cel.c_str()) != 0) return Porazka(errno, blad);
    tymczasowy.clear();
    // The new name itself reaches the disk with its folder.
    TDeskryptor folder{::open(Folder(cel).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)};
    if (folder.fd >= 0) ::fsync(folder.fd);
    return true;
}

bool ZapiszLinie(const std::string& sciezka, const std::vector<std::string>& linie,
                 std::string& blad) {
    std::string bajty;
    if (!BajtyZLinii(linie, bajty, blad)) return false;
    TZapisPliku zapis(sciezka);
    return zapis.Otworz(blad) && zapis.Pisz(bajty, blad) && zapis.Zakoncz(blad);
}

} // namespace tekst
