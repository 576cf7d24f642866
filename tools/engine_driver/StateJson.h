// The calculation state as one flat JSON object: a key per field of the six
// records (named as in the state), plus the language offset and the user's
// database code. Integer, Boolean and Flag fields are JSON integers (a Boolean
// or Flag may also be given as true / false), doubles are numbers, texts are
// strings and the operating-point arrays are arrays of four numbers.
#pragma once

#include "common/ProgramRecords.h"
#include "engine/CalculationState.h"

#include <nlohmann/json.hpp>

#include <stdexcept>

namespace morvane::driver {

// A key or value the state cannot take; what() names the key.
struct BadInput : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// Sets the fields named in the object; others keep their values. Unknown keys,
// values of the wrong kind, integers outside their field's range and numbers
// that are not finite are refused with BadInput (nothing is wrapped or rounded).
void readState(const nlohmann::json& object, CalculationState& s, UiZustand& ui, UserSettings& settings);

// Every field of the six records in record order, then gSprachOffset and
// gUserMSCode.
nlohmann::ordered_json writeState(const CalculationState& s, const UiZustand& ui, const UserSettings& settings);

}  // namespace morvane::driver
