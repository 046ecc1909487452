#pragma once

#include "data/jet/Catalog.h"
#include "data/jet/speedup/GroupKeys.h"

#include <cstdint>
#include <sqlite3.h>
#include <string>
#include <vector>

// One column of a table held as codes: each distinct value (exactly as stored, so "Berlin" and
// "BERLIN" are two) gets a number in the order the rows first show it, and every row keeps the
// number of its value in one, two or four bytes, whichever the count of values needs. A first
// level grouped by the column is then counted from the codes without reading the table (see
// LevelGroups): the values fold into their groups once each, not once a row.
namespace data::jet {

// One value as the engine stores it; Null until set.
struct StoredValue {
    int type = SQLITE_NULL; // or SQLITE_INTEGER, SQLITE_FLOAT, SQLITE_TEXT
    std::int64_t integer = 0;
    double real = 0;
    std::string text;

    void assign(sqlite3_value* value);
    // Binds it as the statement's parameter `index`; the statement reads the text in place.
    void bind(sqlite3_stmt* statement, int index) const;
};

// The group of each code of a column under the column's collation (see foldedGroups).
inline constexpr std::uint32_t NoGroup = 0xFFFFFFFF;

class ColumnCodes {
public:
    // The code of the rows without a value; a value's code is its place in values() plus one.
    static constexpr std::uint32_t Null = 0;

    using Value = StoredValue;

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

    std::uint32_t at(std::size_t row) const {
        return width_ == 1 ? narrow_[row] : width_ == 2 ? middle_[row] : wide_[row];
    }
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

// The group of each code, the values folded by `keys` (see GroupKeys) into groups numbered in the
// order the rows first show them, with NoGroup for Null; `firstCodes` gets each group's first
// code, whose value a statement shows for the group.
std::vector<std::uint32_t> foldedGroups(const ColumnCodes& codes, GroupKeys& keys,
                                        std::vector<std::uint32_t>& firstCodes);

} // namespace data::jet
