#pragma once

#include "data/LevelShape.h"
#include "data/jet/Catalog.h"
#include "data/jet/ExprTranslator.h"

#include <QByteArray>
#include <QStringList>
#include <vector>

// The statements the program writes for a file source are in Jet's dialect; the tables sit in
// the embedded SQLite engine. This turns one into the other.
namespace data::jet {

struct ResultColumn {
    QString name;    // the alias, else the column's name, else Expr1000, Expr1001, ...
    int adoType = 0; // the type code the program sees (data::ado)
    Storage storage = Storage::Text; // how to read the engine's value back; currency comes
                                     // already divided, as Real
};

struct Translation {
    QByteArray sqliteSql; // UTF-8
    std::vector<ResultColumn> columns;
    QStringList tables; // the tables read, as the catalog names them
    // The statement's rows, known without reading them where it reads kept rows that are
    // exactly its rows (see KeptRows); -1 where they are to be counted.
    qint64 rowsKnown = -1;
};

// Translates one Jet SELECT. Fails with data::Error for anything else and for syntax errors, and
// with a NameError for tables, columns and functions that do not exist.
//
// A statement over one table writes its columns unqualified; one that joins or lists several gives
// each source an alias of its own ("~t1",
// "~t2", ...). Where several sources give columns of the same name, an unaliased one is named
// after its source as Jet names it ("Customers.CompanyName"). DISTINCTROW keeps each
// combination of the rows of the tables the output reads once (it changes nothing for one
// table, for grouped statements, or when the output reads every table); TOP n [PERCENT] keeps
// the first rows in the ORDER BY's order, ties with the last one included.
Translation translate(const QString& jetSql, Catalog& catalog);

// How a statement of a grouping tree's level reads its rows where the tree's speed-up serves
// it: from a table of the level's groups in place of its source, whose figures answer its
// aggregates (an aggregate they do not hold fails), and with the date column whose formatted
// dates the grouping index begins with, whose equality SQLite then finds in the index.
struct LevelReading {
    const GroupsTable* groups = nullptr;
    const ColumnInfo* indexedDates = nullptr;
};
Translation translateLevel(const QString& jetSql, Catalog& catalog, const LevelReading& reading);

// A saved query, translated for the engine to keep its rows in a table of their own (see
// Engine): as translate() does, except that each column comes as its table stores it (currency
// as the amount times 10,000, and a currency expression rounded to that), and that two columns
// of the same name fail ("Duplicate output alias").
Translation translateView(const QString& jetSql, Catalog& catalog);

// A subquery within a statement whose expressions `outer` describes, as the value of its one
// column: "(SELECT ...)". It sees the columns of the statement around it.
SqlExpr translateSubquery(const SelectStatement& st, const ExprScope& outer);
// The subquery of EXISTS (SELECT ...) in parentheses, whatever columns it gives.
QString translateExists(const SelectStatement& st, const ExprScope& outer);

// A term a statement groups by, as its GROUP BY over the record source is translated, and the
// table's columns the term reads (one for a column, and for Format([OrderDate], "yyyy")).
struct GroupingTerm {
    QByteArray sqliteSql; // UTF-8
    std::vector<const ColumnInfo*> columns;
};

// The table a record source (as written after FROM) names; null where it names none or is more
// than one name.
const TableInfo* recordSourceTable(const QString& recordSource, Catalog& catalog);

// A level's term over the table, as a statement that groups by it is translated. Fails with a
// NameError for a column the table lacks.
GroupingTerm translateGroupingTerm(const TableInfo& table, const LevelTerm& term);

} // namespace data::jet
