#pragma once

#include "data/jet/Catalog.h"
#include "data/jet/speedup/ColumnCodes.h"

#include <QString>
#include <functional>
#include <optional>
#include <vector>

// The columns of a table held as codes (see ColumnCodes), made in one pass over its rows while
// the program waits for the person: a regroup then counts its first level from the codes of the
// column put in front, where reading the whole table would take as long as reading every row.
namespace data::jet {

class Database;
class Statistics;

// A column with more distinct values than this is not held: its codes would save little.
inline constexpr std::size_t MostCodedValues = 100000;
// The bytes all rows' codes take at most, a row's codes together at most this many.
inline constexpr int MostCodeBytesPerRow = 16;

struct TableCodes {
    QString table;
    // By the table's column; empty where the column is not held.
    std::vector<std::optional<ColumnCodes>> columns;

    const ColumnCodes* of(const TableInfo& info, const ColumnInfo& column) const;
};

// The codes of the columns of `order` (columns of the table, most wanted first) that the pass
// can hold: numbers and text stored as they are, never more distinct values than
// MostCodedValues, all together no more than MostCodeBytesPerRow a row and no more than
// MostLevelKeyBytes of distinct texts. Empty where the table's
// row ids do not number its rows from 1 in their order (the engine's own tables always do).
// Fails with data::Error, and with data::Cancelled when the user stops the pass.
std::optional<TableCodes> makeTableCodes(Database& database, const TableInfo& table,
                                         const std::vector<const ColumnInfo*>& order);

// Adds each row's value of the column `statistics` to the figures of its group, `groupOfRow[i]`
// that of the row with id i + 1, the rows in their stored order as a statement adds them. Fails
// with data::Error, and with data::Cancelled when the user stops the pass.
void addStatistics(Database& database, const TableInfo& table, const ColumnInfo& statistics,
                   const std::vector<std::uint32_t>& groupOfRow,
                   const std::function<Statistics&(std::uint32_t group)>& figuresOf);

// Binds a group's figures as the parameter `index` of `insert` (Null for none), inserts the
// group's row and makes the statement ready for the next. Fails with data::Error.
void insertGroup(Database& database, sqlite3_stmt* insert, int index, const Statistics* figures);

} // namespace data::jet
