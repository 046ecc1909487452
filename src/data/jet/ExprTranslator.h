#pragma once

#include "data/jet/Ast.h"
#include "data/jet/Catalog.h"
#include "data/jet/ValueType.h"

#include <optional>

// Turns parsed Jet expressions into SQLite expressions over the engine's tables, with every
// operator application in explicit parentheses.
namespace data::jet {

struct GroupsTable;

struct ScopeSource;

struct SqlExpr {
    QString sql;
    ValueType type;
    bool truth = false;                  // sql gives SQLite's truth values 1/0, not Jet's -1/0
    const ColumnInfo* column = nullptr;  // set for a plain column reference
    QString columnSql = {};              // and then the column as stored ("Amount", "~t1"."Amount")
    const ScopeSource* source = nullptr; // and the source it belongs to
    // Text that groups and sorts the same with or without the case-insensitive collation, as
    // Format of a date column with a mask of numbers ("yyyy\/mm") does; it is written with the
    // characters of `alphabet` only.
    bool ordersAsBinary = false;
    QString alphabet = {};
    const ColumnInfo* formattedDates = nullptr; // and then the date column it formats
};

// One table (or saved query) a statement reads, as its expressions may name it.
struct ScopeSource {
    const TableInfo* table = nullptr;
    QStringList qualifiers; // the names a column reference may be qualified with
    QString shownName;      // the alias, else the name as the statement writes it
    // What SQL qualifies its columns with, the source's alias there; empty where a statement
    // reads one table and writes its columns unqualified.
    QString sqlName = {};
};

// What the expressions of one clause may name, and whether they may use aggregates.
struct ExprScope {
    std::vector<ScopeSource> sources;
    const ExprScope* outer = nullptr; // the statement a subquery stands in, whose columns it sees
    Catalog* catalog = nullptr;       // where a subquery finds its tables
    int* sourcesNamed = nullptr;      // counts the sources given an alias in SQL, subqueries too
    QString aggregateBan; // the failure for an aggregate here; empty where they are allowed
    // Set where a level statement reads a table of its groups (`table` is then that table):
    // its counts and statistics are read from the groups' figures, and an aggregate they do
    // not hold fails.
    const GroupsTable* summary = nullptr;
    // The date column whose formatted dates the table's grouping index begins with: SQLite
    // searches the index for an equality on them, so such a comparison needs no other
    // condition to narrow the rows.
    const ColumnInfo* indexedDates = nullptr;
};

// The aggregates of the dialect.
enum class Aggregate { Count, Min, Max, Avg, Sum };
// The aggregate a call names (compared without regard to case); none for any other expression.
std::optional<Aggregate> aggregateOf(const Expr& expr);

// Fails with data::Error for unknown columns and functions, wrong argument counts and
// aggregates where the scope bans them (unknown names with a NameError).
SqlExpr translateExpr(const Expr& expr, const ExprScope& scope);

// A column's value: currency columns are divided down from the stored amount times 10,000.
// `sqlName` qualifies the column, as in "~t1"."Amount".
SqlExpr columnValue(const ColumnInfo& column, const QString& sqlName = {});

// The expression as a value, with a truth value turned into Jet's -1/0.
QString valueSql(const SqlExpr& expr);

// The value to group or sort by: text that is not a column (whose own collation applies)
// takes the engine's case-insensitive text collation, as Jet compares text, unless the
// collation would change nothing.
QString collatedSql(const SqlExpr& expr);

} // namespace data::jet
