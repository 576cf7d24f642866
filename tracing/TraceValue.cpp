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
    switch (form_) {
    case Form::Double: return doubleText(number_.d);
    case Form::Integer: return std::to_string(number_.i);
    case Form::Boolean: return number_.i != 0 ? "True" : "False";
    case Form::Text: break;
    }
    return text_;
}

}  // namespace morvane
