#pragma once

#include "data/jet/Catalog.h"
#include "data/jet/speedup/GroupKeys.h"

#include <cstdint>
#include <string>
#include <vector>

struct sqlite3_value;

// One column of a table held as codes: each distinct value (exactly as stored, so "Berlin" and
// "BERLIN" are two) gets a number in the order the rows first show it, and every row keeps the
// number of its value in one, two or four bytes, whichever the count of values needs. A first
// level grouped by the column is then counted from the codes without reading the table (see
// LevelGroups): the values fold into their groups once each, not once a row.
namespace data::jet {

class ColumnCodes {
public:
    // The code of the rows without a value; a value's code is its place in values() plus one.
    static constexpr std::uint32_t Null = 0;

    struct Value {
        int type = 0; // SQLITE_INTEGER, SQLITE_FLOAT or SQLITE_TEXT
        std::int64_t integer = 0;
        double real = 0;
        std::string text;
    };

    explicit ColumnCodes(Storage storage) : storage_(storage) {}

    // Adds the next row's value; false, with nothing added, for a value of another kind than
    // the column is declared with or one past `mostValues` distinct ones.
    bool add(sqlite3_value* value, std::size_t mostValues);

    Storage storage() const { return storage_; }
    const std::vector<Value>& values() const { return values_; }
    std::size_t rows() const;
    // The bytes one row's code takes now.
    int width() const { return width_; }
    // The bytes of the values' texts kept.
    std::size_t textBytes() const { return keys_.keptBytes(); }

    // Calls `f(code)` for every row in order.
    template <typename F> void forEach(F&& f) const {
        if (width_ == 1)
            for (const std::uint8_t code : narrow_)
                f(std::uint32_t(code));
        else if (width_ == 2)
            for (const std::uint16_t code : middle_)
                f(std::uint32_t(code));
        else
            for (const std::uint32_t code : wide_)
                f(code);
    }

private:
    void push(std::uint32_t code);

    Storage storage_;
    GroupKeys keys_; // of the values exactly as stored
    std::vector<Value> values_;
    int width_ = 1;
    std::vector<std::uint8_t> narrow_;
    std::vector<std::uint16_t> middle_;
    std::vector<std::uint32_t> wide_;
};

} // namespace data::jet
