#include "tracing/TraceValue.h"

#include "platform/NumberText.h"

namespace morvane {

TraceValue::TraceValue(double v) : kind_(Kind::Value), text_(displayText(v)) {}
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
