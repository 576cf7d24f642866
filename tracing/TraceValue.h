// The value of a procedure parameter as the trace writes it.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace morvane {

// Holds the value itself; its text is written only when the trace is read, so
// that entering a procedure costs no number formatting.
class TraceValue {
public:
    enum class Kind { Value, Array, Null, Empty, Object, Nothing };

    // A value never assigned: "[EMPTY]".
    TraceValue() : kind_(Kind::Empty), form_(Form::Text) {}
    TraceValue(double v) : kind_(Kind::Value), form_(Form::Double) { number_.d = v; }
    TraceValue(float v) : TraceValue(static_cast<double>(v)) {}
    TraceValue(int v) : TraceValue(static_cast<long long>(v)) {}
    TraceValue(long v) : TraceValue(static_cast<long long>(v)) {}
    TraceValue(long long v) : kind_(Kind::Value), form_(Form::Integer) { number_.i = v; }
    TraceValue(std::int16_t v) : TraceValue(static_cast<long long>(v)) {}
    TraceValue(bool v) : kind_(Kind::Value), form_(Form::Boolean) { number_.i = v ? 1 : 0; }
    TraceValue(std::string v) : kind_(Kind::Value), form_(Form::Text), text_(std::move(v)) {}
    TraceValue(std::string_view v) : kind_(Kind::Value), form_(Form::Text), text_(v) {}
    TraceValue(const char* v) : kind_(Kind::Value), form_(Form::Text), text_(v) {}

    static TraceValue array() { return TraceValue(Kind::Array, {}); }
    static TraceValue null() { return TraceValue(Kind::Null, {}); }
    static TraceValue empty() { return TraceValue(Kind::Empty, {}); }
    static TraceValue object(std::string typeName) { return TraceValue(Kind::Object, std::move(typeName)); }
    static TraceValue nothing() { return TraceValue(Kind::Nothing, {}); }

    Kind kind() const { return kind_; }

    // Takes over another value; copies a text only where the value has one.
    void assign(const TraceValue& v)
    {
        kind_ = v.kind_;
        form_ = v.form_;
        number_ = v.number_;
        if (v.kind_ == Kind::Object || (v.kind_ == Kind::Value && v.form_ == Form::Text))
            text_ = v.text_;
    }
    // "[ARRAY]", "[NULL]", "[EMPTY]", the ordinary text of a value, "[OBJECT:type]"
    // or "[NOTHING]".
    std::string text() const;

private:
    enum class Form : std::uint8_t { Double, Integer, Boolean, Text };
    TraceValue(Kind k, std::string t) : kind_(k), form_(Form::Text), text_(std::move(t)) {}

    Kind kind_;
    Form form_;
    union {
        double d;
        long long i;
    } number_{};
    std::string text_;  // a text value, or an object's type name
};

// A parameter as a procedure passes it to the trace on entry.
struct TraceParam {
    std::string_view name;
    TraceValue value;
};

}  // namespace morvane
