#pragma once

#include "data/workbook/CellValue.h"

// The type of a worksheet column, judged from every value below its header: numbers alone make
// a Double column, dates and times alone a Date column, truth values alone a Boolean column.
// Text, a mix of kinds, or no value at all make a Text column, which keeps every value as text.
namespace data::workbook {

class ColumnType {
public:
    void add(const CellValue& cell);
    // The type code the program sees (data::ado).
    int adoType() const;

private:
    unsigned kinds_ = 0; // one bit for each kind of value seen
};

} // namespace data::workbook
