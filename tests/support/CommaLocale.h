// A scope in which the C library's numbers follow a locale with a decimal
// comma (German where installed; tools/setup builds de_DE.UTF-8), as they do
// in a program whose windows take the user's locale. The locale before it
// comes back at the end of the scope. Where no such locale is installed,
// active() is false and the test skips:
//   CommaLocale comma;
//   if (!comma.active())
//       GTEST_SKIP() << "no locale with a decimal comma installed";
#pragma once

#include <clocale>
#include <string>

namespace morvane::testing {

class CommaLocale {
public:
    CommaLocale()
    {
        const char* const before = std::setlocale(LC_NUMERIC, nullptr);
        saved_ = before != nullptr ? before : "C";
        for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8", "fr_FR.utf8"})
            if (!active_)
                active_ = std::setlocale(LC_NUMERIC, name) != nullptr;
    }
    ~CommaLocale() { std::setlocale(LC_NUMERIC, saved_.c_str()); }
    CommaLocale(const CommaLocale&) = delete;
    CommaLocale& operator=(const CommaLocale&) = delete;

    bool active() const { return active_; }

private:
    std::string saved_;
    bool active_ = false;
};

}  // namespace morvane::testing
