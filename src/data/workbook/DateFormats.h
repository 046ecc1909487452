#pragma once

#include "data/workbook/CellValue.h"

#include <QString>

// Whether a number format shows its number as a date or a time, as Excel decides what a cell
// holds: the built-in formats of dates and times, and any format that writes a day, month, year,
// hour, minute or second.
namespace data::workbook {

bool isDateFormat(int formatIndex, const QString& formatText);

// The date and time a number of a cell shown as a date stands for, counted in the workbook's date
// system (from 1900, or from 1904 when the workbook says so); a number outside the years dates
// can take stays a number.
CellValue dateOfSerial(double value, bool dates1904);

} // namespace data::workbook
