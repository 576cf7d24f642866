// The value of a procedure parameter as the trace writes it.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace morvane {

class TraceValue {
public:
    enum class Kind { Value, Array, Null, Empty, Object, Nothing };

    TraceValue(double v);
    TraceValue(float v) : TraceValue(static_cast<double>(v)) {}
    TraceValue(int v);
    TraceValue(long v);
    TraceValue(long long v);
    TraceValue(std::int16_t v) : TraceValue(static_cast<int>(v)) {}
    TraceValue(bool v);
    TraceValue(std::string v) : kind_(Kind::Value), text_(std::move(v)) {}
    TraceValue(std::string_view v) : kind_(Kind::Value), text_(v) {}
    TraceValue(const char* v) : kind_(Kind::Value), text_(v) {}

    static TraceValue array() { return TraceValue(Kind::Array, {}); }
    static TraceValue null() { return TraceValue(Kind::Null, {}); }
    static TraceValue empty() { return TraceValue(Kind::Empty, {}); }
    static TraceValue object(std::string typeName) { return TraceValue(Kind::Object, std::move(typeName)); }
    static TraceValue nothing() { return TraceValue(Kind::Nothing, {}); }

    Kind kind() const { return kind_; }
    // "[ARRAY]", "[NULL]", "[EMPTY]", the ordinary text of a value, "[OBJECT:type]"
    // or "[NOTHING]".
    std::string text() const;

private:
    TraceValue(Kind k, std::string t) : kind_(k), text_(std::move(t)) {}
    Kind kind_;
    std::string text_;
};

}  // namespace morvane
