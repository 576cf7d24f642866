// Reading a typed number: the normalisation of a text box's text and the reading
// of its leading number.
#pragma once

#include <string>
#include <string_view>

namespace morvane {

// Normalises a typed number in place: walks the characters and stops at the
// first that is not a digit, point, comma, minus sign or blank; a comma becomes
// a point and blanks are dropped. Nothing else is checked, so "1.234,5" becomes
// "1.234.5" and "5-3" stays. A text longer than 32767 characters (counted in
// UTF-16 units, not UTF-8 bytes) is run-time error 6 (its length does not fit
// the 16-bit counter).
void str_check(std::string& text);

// The value of the longest leading part of the form: optional "-", digits with at
// most one point, at least one digit. 0 when there is none ("--5", "+5", "").
double leadingNumber(std::string_view normalised);

// str_check followed by leadingNumber: what a text box's number reads as.
double readNumber(std::string text);

// Whether a text box holds a number at all: false for an empty box, blanks or
// a text without a leading digit, whose reading gives 0 only for want of a
// number.
bool holdsNumber(std::string text);

// Whether a number box's text, its blanks dropped, is one number and nothing
// else: an optional leading minus, digits with at most one point or comma,
// at least one digit (" 0.1", "1,4", "12 345,6", "-.5"). An empty box passes
// (its reading as 0 has checks of its own). Anything else would be read as
// another number than the one meant ("2O" as 2, "1.234,5" as 1.234, "2E5"
// as 2) and does not pass.
bool isOneNumber(std::string text);

}  // namespace morvane
