#pragma once

#include <QString>

// Whether a number format shows its number as a date or a time, as Excel decides what a cell
// holds: the built-in formats of dates and times, and any format that writes a day, month, year,
// hour, minute or second.
namespace data::workbook {

bool isDateFormat(int formatIndex, const QString& formatText);

} // namespace data::workbook
