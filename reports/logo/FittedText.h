// A text of the user's or the customer's that has a column of its own on a
// protocol page: where it would run past the column's end (the next column,
// or the printable edge) it is printed smaller, down to a size that can still
// be read, and only beyond that cut with "...".
#pragma once

#include "platform/Printer.h"

#include <string>

namespace morvane {

// The room a fitted text leaves before the next column (twips).
inline constexpr double kColumnGapTwips = 60.0;
// The smallest size a fitted text takes (points).
inline constexpr double kSmallestFittedPoints = 6.0;

struct FittedText {
    PrintFont font;
    std::string text;
};

// Which end of a text too long even in the smallest size gives way: the end,
// or (for a file's path, whose name is at its end) the start.
enum class CutAt { End, Start };

// The font (the given one, or the same in a smaller size, in half points) and
// the text (whole, or cut at a character with "..." in place of the rest)
// that end within `room` twips, measured by the job; the job's font is left
// as the result's.
FittedText fitText(PrintJob& job, const PrintFont& font, const std::string& text, double room,
                   CutAt cut = CutAt::End);

}  // namespace morvane
