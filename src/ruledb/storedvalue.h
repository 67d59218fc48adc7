#pragma once
// A value as SQLite stores it, whole numbers and blobs kept apart from other
// numbers and texts: what the data tool reads from a database or a CSV file
// and writes into a new database (ruledbwriter.h).

#include <cstdint>
#include <optional>
#include <string>

namespace tamrik::ruledb {

struct StoredValue {
    enum class Kind { Null, Integer, Real, Text, Blob };
    Kind kind = Kind::Null;
    std::int64_t integer = 0;
    double real = 0;
    std::string text;  // a text, or a blob's bytes

    static StoredValue ofInteger(std::int64_t v);
    static StoredValue ofReal(double v);
    static StoredValue ofText(std::string v);
    static StoredValue ofBlob(std::string bytes);

    bool isNull() const { return kind == Kind::Null; }
    // A number as the shortest text that reads back the same
    // (exactNumberText); a blob in hex.
    std::string toText() const;
    // The value of a number; nothing for any other kind.
    std::optional<double> number() const;
    bool operator==(const StoredValue& other) const;
    bool operator!=(const StoredValue& other) const { return !(*this == other); }
};

}  // namespace tamrik::ruledb
