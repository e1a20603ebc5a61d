// Names for the rows of parametrized GoogleTest tables, which ctest lists and a failure reports:
// a row's own `name`, or a text or number spelled in the characters a name may hold.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <iterator>
#include <string>

namespace vapomet::testing {

struct ByName {
    template <typename Row>
    std::string operator()(const ::testing::TestParamInfo<Row>& row) const {
        return row.param.name;
    }
};

// "-1.5e3" becomes minus1dot5e3, "" empty, any byte beyond ASCII x and its value in hex.
inline std::string Spelled(const std::string& text) {
    std::string name;
    for (const unsigned char ch : text) {
        char hex[8];
        std::snprintf(hex, sizeof hex, "x%02X", ch);
        name += std::isalnum(ch) ? std::string(1, static_cast<char>(ch))
                : ch == '.'      ? "dot"
                : ch == ','      ? "comma"
                : ch == '-'      ? "minus"
                : ch == '+'      ? "plus"
                                 : hex;
    }
    return name.empty() ? "empty" : name;
}

// 0.0035 becomes 0_0035: the shortest digits that read back as the value, without exponent.
inline std::string Spelled(double value) {
    char text[400];
    std::string name(text,
                     std::to_chars(text, std::end(text), value, std::chars_format::fixed).ptr);
    std::replace_if(
        name.begin(), name.end(), [](char ch) { return ch == '.' || ch == '-'; }, '_');
    return name;
}

}  // namespace vapomet::testing
