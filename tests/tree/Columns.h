#pragma once

#include "data/ColInfo.h"
#include "data/ColumnTable.h"

#include <QString>
#include <initializer_list>
#include <utility>

namespace test {

// A column table with the given columns as (SQL text, conversion keyword); names are the SQL
// text without brackets, and the spare entries are as the program keeps them.
inline data::ColInfoTable
columnTable(std::initializer_list<std::pair<QString, data::Conversion>> columns) {
    data::ColInfoTable table;
    int i = 0;
    for (const auto& [sql, conv] : columns) {
        QString name = sql;
        name.remove('[').remove(']');
        table[i++] = data::ColInfoRec{name, sql, conv, std::nullopt, false};
    }
    data::resetSpareEntries(table, i);
    return table;
}

} // namespace test
