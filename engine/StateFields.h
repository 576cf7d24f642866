// Every field of the six calculation-state records by its name: its record, its
// kind and where it lives in a CalculationState. For code that handles the
// fields as data (the calculation file, the engine test driver, tests).
#pragma once

#include "engine/CalculationState.h"

#include <span>
#include <string>
#include <string_view>
#include <variant>

namespace morvane {

enum class StateRecord { MediumDaten, ProzessDaten, RohrDaten, ElementDaten, Ergebnisse, Grenzwerte };

// Integer, Boolean and Flag are all 16-bit integers; the kind says how the value
// is meant (a number, -1 / 0, or the 0 / 1 of a check box).
enum class FieldKind { Integer, Boolean, Flag, Double, String, PointArray };

struct StateField {
    using Member = std::variant<std::int16_t CalculationState::*, double CalculationState::*,
                                std::string CalculationState::*, PointArray CalculationState::*>;

    std::string_view name;
    StateRecord record;
    FieldKind kind;
    Member member;

    // The field in s; T is std::int16_t, double, std::string or PointArray as the
    // kind says (std::bad_variant_access otherwise).
    template <class T>
    T& in(CalculationState& s) const
    {
        return s.*std::get<T CalculationState::*>(member);
    }
    template <class T>
    const T& in(const CalculationState& s) const
    {
        return s.*std::get<T CalculationState::*>(member);
    }
};

// All fields, record by record, each record's fields in their order.
std::span<const StateField> stateFields();

// The field of that name (exact spelling), or nullptr.
const StateField* findStateField(std::string_view name);

std::string_view recordName(StateRecord r);

}  // namespace morvane
