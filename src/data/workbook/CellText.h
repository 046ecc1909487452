#pragma once

#include "data/workbook/CellValue.h"

#include <QString>

// A cell's value written as text, for a column that holds more than one kind of value and for
// the header row that names the columns.
//
// Numbers as the region writes them without digit grouping: up to 15 significant digits, whole
// numbers without decimals ("1234", "0,25" where the decimal point is a comma, "1E+15").
// Truth values "True" and "False". Dates in ISO form, with only the parts they have: a date
// alone "2024-02-29", a time alone "13:45:00", both "2024-02-29 13:45:00". Empty cells give
// empty text.
namespace data::workbook {

QString cellText(const CellValue& cell, const QString& decimalPoint);

} // namespace data::workbook
