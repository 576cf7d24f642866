#include "tracing/TraceValue.h"

#include "platform/NumberText.h"

#include <cmath>

namespace morvane {

namespace {
// The tracer never raises: a value that is no finite number is written as a word.
std::string doubleText(double v)
{
    if (std::isnan(v))
        return "NaN";
    if (std::isinf(v))
        return v > 0 ? "Infinity" : "-Infinity";
    return displayText(v);
}
}  // namespace

TraceValue::TraceValue(double v) : kind_(Kind::Value), text_(doubleText(v)) {}
TraceValue::TraceValue(int v) : kind_(Kind::Value), text_(std::to_string(v)) {}
TraceValue::TraceValue(long v) : kind_(Kind::Value), text_(std::to_string(v)) {}
TraceValue::TraceValue(long long v) : kind_(Kind::Value), text_(std::to_string(v)) {}
TraceValue::TraceValue(bool v) : kind_(Kind::Value), text_(v ? "True" : "False") {}

std::string TraceValue::text() const
{
    switch (kind_) {
    case Kind::Array: return "[ARRAY]";
    case Kind::Null: return "[NULL]";
    case Kind::Empty: return "[EMPTY]";
    case Kind::Object: return "[OBJECT:" + text_ + "]";
    case Kind::Nothing: return "[NOTHING]";
    case Kind::Value: break;
    }
    return text_;
}

}  // namespace morvane
