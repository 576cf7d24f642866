// The name of a parameterised test's case, made from the words of a text that
// says what the case shows: "one value a line" gives "OneValueALine". GoogleTest
// takes only ASCII letters, digits and "_" in a name; CTest lists the name as
// it is, so it holds no parameter bytes and stays the same from build to build.
// Use it in the name generator of INSTANTIATE_TEST_SUITE_P:
//   [](const auto& info) { return morvane::testing::caseName(info.param.what); }
#pragma once

#include <string>
#include <string_view>

namespace morvane::testing {

inline std::string caseName(std::string_view text)
{
    std::string name;
    bool wordStart = true;
    for (const char c : text) {
        const bool lower = c >= 'a' && c <= 'z';
        if (!lower && !(c >= 'A' && c <= 'Z') && !(c >= '0' && c <= '9')) {
            wordStart = true;   // blanks, punctuation and non-ASCII bytes end a word
            continue;
        }
        name += wordStart && lower ? static_cast<char>(c - 'a' + 'A') : c;
        wordStart = false;
    }
    return name;
}

}  // namespace morvane::testing
