#pragma once

#include "data/jet/Catalog.h"
#include "data/jet/TableSource.h"

// Copies one table of a source, or the rows of a saved query, into the engine.
namespace data::jet {

class Database;

// Creates the table under the source's own name, with each column's storage, and fills it from
// the source inside one transaction: a table that fails to load leaves nothing behind. A table
// the source found other than it described it (DescriptionChanged) is loaded again as the source
// describes it then.
TableInfo loadTable(Database& database, TableSource& source, const SourceTable& table);

// Creates the table `info` describes and fills it with the rows of a query in SQLite's dialect,
// in the order the query gives them, inside one transaction: a saved query's rows, which the
// engine keeps as it keeps a table's.
void storeQueryRows(Database& database, const TableInfo& info, const QByteArray& query);

// An identifier in double quotes, inner quotes doubled: "Umsätze 2001", "Joe's ""best""".
QByteArray quotedIdentifier(const QString& name);

} // namespace data::jet
