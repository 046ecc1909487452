#pragma once

#include "data/jet/Ast.h"
#include "data/jet/Catalog.h"
#include "data/jet/ValueType.h"

// Turns parsed Jet expressions into SQLite expressions over the engine's tables, with every
// operator application in explicit parentheses.
namespace data::jet {

struct GroupSummary;

struct SqlExpr {
    QString sql;
    ValueType type;
    bool truth = false;                 // sql gives SQLite's truth values 1/0, not Jet's -1/0
    const ColumnInfo* column = nullptr; // set for a plain column reference
    // Text that groups and sorts the same with or without the case-insensitive collation, as
    // Format of a date column with a mask of numbers ("yyyy\/mm") does; it is written with the
    // characters of `alphabet` only.
    bool ordersAsBinary = false;
    QString alphabet = {};
};

// What the expressions of one clause may name, and whether they may use aggregates.
struct ExprScope {
    const TableInfo* table = nullptr;
    QStringList qualifiers; // the names a column reference may be qualified with
    QString aggregateBan;   // the failure for an aggregate here; empty where they are allowed
    // Set where a level statement reads the summary of its groups (`table` is then the
    // summary): its counts and statistics are read from the summary's figures.
    const GroupSummary* summary = nullptr;
    // The expression the table's grouping index begins with: SQLite searches the index for an
    // equality on it, so such a comparison needs no other condition to narrow the rows.
    QString leadingIndexTerm = {};
};

// Fails with data::Error for unknown columns and functions, wrong argument counts and
// aggregates where the scope bans them.
SqlExpr translateExpr(const Expr& expr, const ExprScope& scope);

// A column's value: currency columns are divided down from the stored amount times 10,000.
SqlExpr columnValue(const ColumnInfo& column);

// The expression as a value, with a truth value turned into Jet's -1/0.
QString valueSql(const SqlExpr& expr);

// The value to group or sort by: text that is not a column (whose own collation applies)
// takes the engine's case-insensitive text collation, as Jet compares text, unless the
// collation would change nothing.
QString collatedSql(const SqlExpr& expr);

} // namespace data::jet
