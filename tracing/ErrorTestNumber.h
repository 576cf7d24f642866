// The number typed into the error-test panel, and the error it raises.
#pragma once

#include <cstdint>
#include <string_view>

namespace morvane {

// The text's leading number as the runtime's Val reads it (0 for "None"),
// rounded to a 32-bit integer, halves to the even neighbour; run-time error 6
// beyond the range of a double or of 32 bits.
std::int32_t errorNumberOf(std::string_view text);

// Raises the run-time error of the number in the text, with its standard
// description. Error number 0 is no error: raising it fails with error 5.
[[noreturn]] void raiseTestError(std::string_view text);

}  // namespace morvane
