#pragma once
// The simulator behind one text entry point: a JSON command in, a JSON answer out. The web
// page reaches it through the WebAssembly module; the same code builds natively for its
// tests and fuzz target. Commands are listed in README.md beside this file.

#include <cstdint>
#include <limits>
#include <memory>
#include <string>
#include <string_view>

class TSymulator;

class TApi {
  public:
    explicit TApi(TSymulator& symulator);
    ~TApi();
    TApi(const TApi&) = delete;
    TApi& operator=(const TApi&) = delete;

    // One command, e.g. {"polecenie":"takt"}. The answer is {"ok":true, ...} or
    // {"ok":false,"blad":"<Polish message>"}; nothing the caller sends makes it throw.
    std::string Wywolaj(std::string_view polecenieJson);

    // The most one slice of "program" or "rozkaz" may run, whatever the command asks;
    // the fuzz target lowers them so that no input runs for long.
    struct TLimity {
        std::uint64_t Takty = std::numeric_limits<std::uint64_t>::max();
        std::int64_t Ms = 10000;
    };
    TLimity Limity;

    struct TStan;

  private:
    std::unique_ptr<TStan> stan;
};
