#pragma once

#include "data/DateGroup.h"

#include <QString>
#include <array>
#include <optional>

namespace data {

// A column's conversion keyword: how its values are written in conditions, whether it carries
// Min, Max, Avg and Sum, and whether it can be grouped at all. Spare entries of the column table
// hold Spare ("0"); a column of a kind the tree cannot group or filter holds Nothing ("NOTHING").
enum class Conversion { Spare, CInt, CLng, CDec, CDbl, CBool, CStr, CDate, Nothing };

// One column of the open record source, in the grid's column order.
struct ColInfoRec {
    QString ColName;                        // the column's name as the source reports it
    QString ColSQL;                         // the column as written in SQL text
    Conversion ColConv = Conversion::Spare; // its conversion keyword
    // the date group a tree level on this column was built with; none before
    std::optional<DateGroup> ColDateGroup;
    bool ColGrouped = false;
};

// The column table has fixed bounds 0 to 1000.
constexpr int ColInfoUpper = 1000;
using ColInfoTable = std::array<ColInfoRec, ColInfoUpper + 1>;

} // namespace data
