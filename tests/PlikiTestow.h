#pragma once
// Files of the model tests: a path of each test's own, so that tests may run side by side,
// and whole files as bytes.

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

inline std::string PlikTestu(const std::string& nazwa) {
    const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
    return ::testing::TempDir() + "symulator_" + test->test_suite_name() + "_" + test->name() +
           "_" + nazwa;
}

inline std::string Bajty(const std::string& sciezka) {
    std::ifstream f(sciezka, std::ios::binary);
    return {std::istreambuf_iterator<char>(f), {}};
}

inline void Zapisz(const std::string& sciezka, const std::string& bajty) {
    std::ofstream(sciezka, std::ios::binary | std::ios::trunc) << bajty;
}
