#include "StateJson.h"

#include "engine/StateFields.h"

#include <cmath>
#include <limits>
#include <string>

namespace morvane::driver {

namespace {

[[noreturn]] void bad(const std::string& key, const std::string& why)
{
    throw BadInput("\"" + key + "\": " + why);
}

// A JSON integer within [lo, hi]; floats are refused even when whole.
long long integerIn(const std::string& key, const nlohmann::json& v, long long lo, long long hi)
{
    long long n = 0;
    if (v.is_number_unsigned()) {
        const auto u = v.get<unsigned long long>();
        if (u > static_cast<unsigned long long>(hi))
            bad(key, "outside " + std::to_string(lo) + ".." + std::to_string(hi));
        n = static_cast<long long>(u);
    } else if (v.is_number_integer()) {
        n = v.get<long long>();
    } else {
        bad(key, "an integer is expected, not " + v.dump());
    }
    if (n < lo || n > hi)
        bad(key, "outside " + std::to_string(lo) + ".." + std::to_string(hi));
    return n;
}

double finiteNumber(const std::string& key, const nlohmann::json& v)
{
    if (!v.is_number())
        bad(key, "a number is expected, not " + v.dump());
    const double d = v.get<double>();
    if (!std::isfinite(d))
        bad(key, "the number is not finite");
    return d;
}

std::int16_t int16(const std::string& key, const nlohmann::json& v)
{
    return static_cast<std::int16_t>(integerIn(key, v, std::numeric_limits<std::int16_t>::min(),
                                               std::numeric_limits<std::int16_t>::max()));
}

}  // namespace

void readState(const nlohmann::json& object, CalculationState& s, UiZustand& ui, UserSettings& settings)
{
    if (!object.is_object())
        throw BadInput("the input is not a JSON object");
    for (const auto& [key, v] : object.items()) {
        if (key == "gSprachOffset") {
            ui.gSprachOffset = static_cast<std::int32_t>(integerIn(
                key, v, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()));
            continue;
        }
        if (key == "gUserMSCode") {
            settings.gUserMSCode = int16(key, v);
            continue;
        }
        const StateField* f = findStateField(key);
        if (f == nullptr)
            bad(key, "no such field");
        switch (f->kind) {
        case FieldKind::Integer: f->in<std::int16_t>(s) = int16(key, v); break;
        case FieldKind::Boolean:
            f->in<std::int16_t>(s) = v.is_boolean() ? (v.get<bool>() ? True : False) : int16(key, v);
            break;
        case FieldKind::Flag:
            f->in<std::int16_t>(s) = v.is_boolean() ? static_cast<std::int16_t>(v.get<bool>() ? 1 : 0) : int16(key, v);
            break;
        case FieldKind::Double: f->in<double>(s) = finiteNumber(key, v); break;
        case FieldKind::String:
            if (!v.is_string())
                bad(key, "a string is expected, not " + v.dump());
            f->in<std::string>(s) = v.get<std::string>();
            break;
        case FieldKind::PointArray: {
            if (!v.is_array() || v.size() != 4)
                bad(key, "an array of four numbers is expected (design, max, norm, min)");
            PointArray a{};
            for (std::size_t i = 0; i < 4; ++i)
                a[i] = finiteNumber(key + "[" + std::to_string(i) + "]", v[i]);
            f->in<PointArray>(s) = a;
            break;
        }
        }
    }
}

nlohmann::ordered_json writeState(const CalculationState& s, const UiZustand& ui, const UserSettings& settings)
{
    nlohmann::ordered_json out = nlohmann::ordered_json::object();
    for (const StateField& f : stateFields()) {
        const std::string key(f.name);
        switch (f.kind) {
        case FieldKind::Integer:
        case FieldKind::Boolean:
        case FieldKind::Flag: out[key] = f.in<std::int16_t>(s); break;
        case FieldKind::Double: out[key] = f.in<double>(s); break;
        case FieldKind::String: out[key] = f.in<std::string>(s); break;
        case FieldKind::PointArray: {
            const PointArray& a = f.in<PointArray>(s);
            out[key] = nlohmann::ordered_json::array({a[0], a[1], a[2], a[3]});
            break;
        }
        }
    }
    out["gSprachOffset"] = ui.gSprachOffset;
    out["gUserMSCode"] = settings.gUserMSCode;
    return out;
}

}  // namespace morvane::driver
