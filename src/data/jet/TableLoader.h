#pragma once

#include "data/jet/Catalog.h"
#include "data/jet/TableSource.h"

// Copies one table of a source into the engine.
namespace data::jet {

class Database;

// Creates the table under the source's own name, with each column's storage, and fills it from
// the source inside one transaction: a table that fails to load leaves nothing behind.
TableInfo loadTable(Database& database, TableSource& source, const SourceTable& table);

// An identifier in double quotes, inner quotes doubled: "Umsätze 2001", "Joe's ""best""".
QByteArray quotedIdentifier(const QString& name);

} // namespace data::jet
