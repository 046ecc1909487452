#pragma once

#include "data/jet/CalendarDate.h"

#include <QString>
#include <variant>

// One cell of a worksheet as the reader sees it: empty (which an error value counts as), a
// number, a truth value, a date and time, or text.
namespace data::workbook {

using CellValue = std::variant<std::monostate, double, bool, jet::DateTimeParts, QString>;

inline bool isEmpty(const CellValue& cell) {
    return std::holds_alternative<std::monostate>(cell);
}

} // namespace data::workbook
