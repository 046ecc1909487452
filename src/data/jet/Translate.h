#pragma once

#include "data/jet/Catalog.h"

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
};

// Translates one Jet SELECT over a single table. Fails with data::Error for anything else, for
// syntax errors, and for tables, columns and functions that do not exist.
Translation translate(const QString& jetSql, Catalog& catalog);

// A term a statement groups by, as its GROUP BY over the record source is translated, and the
// table's columns the term reads (one for a column, and for Format([OrderDate], "yyyy")).
struct GroupingTerm {
    QByteArray sqliteSql; // UTF-8
    std::vector<const ColumnInfo*> columns;
};

// The term `jetTerm` over the record source (as written after FROM). Fails as translate does.
GroupingTerm translateGroupingTerm(const QString& recordSource, const QString& jetTerm,
                                   Catalog& catalog);

} // namespace data::jet
