#include "storedvalue.h"

#include "numtext.h"

namespace tamrik::ruledb {

StoredValue StoredValue::ofInteger(std::int64_t v) { return {Kind::Integer, v, 0, {}}; }
StoredValue StoredValue::ofReal(double v) { return {Kind::Real, 0, v, {}}; }
StoredValue StoredValue::ofText(std::string v) { return {Kind::Text, 0, 0, std::move(v)}; }
StoredValue StoredValue::ofBlob(std::string bytes) { return {Kind::Blob, 0, 0, std::move(bytes)}; }

std::string StoredValue::toText() const
{
    switch (kind) {
    case Kind::Null:
        return {};
    case Kind::Integer:
        return std::to_string(integer);
    case Kind::Real:
        return exactNumberText(real);
    case Kind::Text:
        return text;
    case Kind::Blob: {
        static const char digits[] = "0123456789ABCDEF";
        std::string hex = "0x";
        for (const char ch : text) {
            hex += digits[static_cast<unsigned char>(ch) >> 4];
            hex += digits[static_cast<unsigned char>(ch) & 0xF];
        }
        return hex;
    }
    }
    return {};
}

std::optional<double> StoredValue::number() const
{
    if (kind == Kind::Integer)
        return static_cast<double>(integer);
    if (kind == Kind::Real)
        return real;
    return std::nullopt;
}

bool StoredValue::operator==(const StoredValue& other) const
{
    if (number() && other.number())
        return *number() == *other.number();
    return kind == other.kind && text == other.text;
}

}  // namespace tamrik::ruledb
