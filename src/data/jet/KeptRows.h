#pragma once

#include "data/jet/Catalog.h"

#include <QString>
#include <QVariant>
#include <vector>

// Rows of a table kept by the values of its columns, as the grouping tree's speed-up keeps them
// for the columns its first levels group by (see speedup/GroupRows.h). A statement over that
// table whose condition asks for one value of such a column (or one of each of two) then reads
// those rows alone, found by their row ids, where it would otherwise read every row of the table.
namespace data::jet {

// A column of a table asked to hold one value: text for a column of text, a whole number for a
// column of numbers, null for no value.
struct AskedValue {
    const ColumnInfo* column = nullptr;
    QVariant value;
};

// The condition that reads kept rows: in SQLite's dialect, "" where no rows are kept for what was
// asked. `rows` is how many rows it reads, `decided` how many of the values asked the rows hold
// exactly (one for a group's rows, two for a pair's): every row of the table that holds those
// values is among them, and no other.
struct KeptCondition {
    QString sql;
    qint64 rows = 0;
    std::size_t decided = 0;
};

class KeptRows {
public:
    virtual ~KeptRows() = default;

    // A condition on row ids that holds for every row of `table` whose columns hold the values
    // asked under their collations (for a null value, whose column is null), and for no row
    // outside the kept rows it names.
    virtual KeptCondition rowsWhere(const TableInfo& table,
                                    const std::vector<AskedValue>& asked) = 0;
};

struct Expr;
struct ExprScope;

// The condition that reads the kept rows a statement's WHERE condition `where` asks for, where
// one of the conditions it joins by And is a column of the one table the statement reads
// compared equal to a literal (text for a column of text, a whole number for one of numbers) or
// tested for Null; empty where none is, or no rows are kept for it. `exactly` gets the number of
// those rows where they are exactly the ones the condition holds for (it asks nothing else of
// them), and -1 otherwise.
QString keptRowsWhere(const Expr& where, const ExprScope& scope, qint64* exactly = nullptr);

// The name by which SQL reads the table's row ids: "_rowid_", or where a column of the table is
// so named, "rowid" or "oid"; empty where columns take all three names.
QString rowIdName(const TableInfo& table);

} // namespace data::jet
