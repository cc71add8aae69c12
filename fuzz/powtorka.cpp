// Runs a fuzz target over every file of a corpus folder, as an ordinary test.

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* dane, std::size_t rozmiar);

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "użycie: %s KATALOG_KORPUSU\n", argv[0]);
        return 2;
    }
    int ile = 0;
    for (const auto& wpis : std::filesystem::recursive_directory_iterator(argv[1])) {
        if (!wpis.is_regular_file()) continue;
        std::ifstream f(wpis.path(), std::ios::binary);
        std::string bajty((std::istreambuf_iterator<char>(f)), {});
        LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(bajty.data()), bajty.size());
        ++ile;
    }
    std::printf("%d plików korpusu bez błędu\n", ile);
    return ile > 0 ? 0 : 1;
}
