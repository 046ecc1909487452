#pragma once

#include <QString>
#include <array>

namespace data {

// One column of the open record source, in the grid's column order.
struct ColInfoRec {
    QString ColName;      // the column's name as the source reports it
    QString ColSQL;       // the column as written in SQL text
    QString ColConv;      // conversion keyword: "CInt", "CStr", ... ; "0" in spare entries
    QString ColDateGroup; // the date grouping a tree level on this column was built with
    bool ColGrouped = false;
};

// The column table has fixed bounds 0 to 1000.
constexpr int ColInfoUpper = 1000;
using ColInfoTable = std::array<ColInfoRec, ColInfoUpper + 1>;

} // namespace data
