#include "data/jet/speedup/ColumnCodes.h"

#include <limits>
#include <sqlite3.h>

namespace data::jet {

namespace {

template <typename To, typename From> std::vector<To> widened(std::vector<From>& from) {
    std::vector<To> to(from.begin(), from.end());
    std::vector<From>().swap(from);
    return to;
}

} // namespace

void StoredValue::assign(sqlite3_value* value) {
    type = sqlite3_value_type(value);
    if (type == SQLITE_INTEGER)
        integer = sqlite3_value_int64(value);
    else if (type == SQLITE_FLOAT)
        real = sqlite3_value_double(value);
    else if (type == SQLITE_TEXT)
        text.assign(reinterpret_cast<const char*>(sqlite3_value_text(value)),
                    std::size_t(sqlite3_value_bytes(value)));
}

void StoredValue::bind(sqlite3_stmt* statement, int index) const {
    switch (type) {
    case SQLITE_INTEGER:
        sqlite3_bind_int64(statement, index, integer);
        break;
    case SQLITE_FLOAT:
        sqlite3_bind_double(statement, index, real);
        break;
    case SQLITE_TEXT:
        sqlite3_bind_text(statement, index, text.data(), int(text.size()), SQLITE_STATIC);
        break;
    default:
        sqlite3_bind_null(statement, index);
    }
}

bool ColumnCodes::add(sqlite3_value* value, std::size_t mostValues) {
    const int type = sqlite3_value_type(value);
    if (type == SQLITE_NULL) {
        push(Null);
        return true;
    }
    const bool text = storage_ == Storage::Text;
    if (type == SQLITE_TEXT && text)
        keys_.setExactText({reinterpret_cast<const char*>(sqlite3_value_text(value)),
                            std::size_t(sqlite3_value_bytes(value))});
    else if (type == SQLITE_INTEGER && !text)
        keys_.setInteger(sqlite3_value_int64(value));
    else if (type == SQLITE_FLOAT && !text)
        keys_.setExactReal(sqlite3_value_double(value));
    else
        return false;
    const std::uint32_t code = keys_.groupOf(std::uint32_t(values_.size())) + 1;
    if (code > values_.size()) {
        if (values_.size() == mostValues)
            return false;
        values_.emplace_back().assign(value);
    }
    push(code);
    return true;
}

std::size_t ColumnCodes::rows() const {
    return width_ == 1 ? narrow_.size() : width_ == 2 ? middle_.size() : wide_.size();
}

void ColumnCodes::push(std::uint32_t code) {
    if (width_ == 1 && code > std::numeric_limits<std::uint8_t>::max()) {
        middle_ = widened<std::uint16_t>(narrow_);
        width_ = 2;
    }
    if (width_ == 2 && code > std::numeric_limits<std::uint16_t>::max()) {
        wide_ = widened<std::uint32_t>(middle_);
        width_ = 4;
    }
    if (width_ == 1)
        narrow_.push_back(std::uint8_t(code));
    else if (width_ == 2)
        middle_.push_back(std::uint16_t(code));
    else
        wide_.push_back(code);
}

std::vector<std::uint32_t> foldedGroups(const ColumnCodes& codes, GroupKeys& keys,
                                        std::vector<std::uint32_t>& firstCodes) {
    const std::vector<ColumnCodes::Value>& values = codes.values();
    std::vector<std::uint32_t> groupOfCode(values.size() + 1, NoGroup);
    for (std::size_t i = 0; i < values.size(); ++i) {
        const ColumnCodes::Value& value = values[i];
        if (value.type == SQLITE_TEXT)
            keys.setText(value.text);
        else if (value.type == SQLITE_INTEGER)
            keys.setInteger(value.integer);
        else
            keys.setReal(value.real);
        groupOfCode[i + 1] = keys.groupOf(std::uint32_t(firstCodes.size()));
        if (groupOfCode[i + 1] == firstCodes.size())
            firstCodes.push_back(std::uint32_t(i + 1));
    }
    return groupOfCode;
}

} // namespace data::jet
