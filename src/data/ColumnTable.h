#pragma once

#include "data/ColInfo.h"
#include "data/Dialect.h"

#include <QString>
#include <vector>

namespace data {

class Recordset;

// The column table's spare entries: past the record source's columns up to the fixed bound.
void resetSpareEntries(ColInfoTable& table, int fieldCount);

// The record source as written after FROM, from the table's schema and name as the source lists
// them: the name alone for Jet and the ODBC bridge ("[Orders]"), SCHEMA.TABLE for Oracle when the
// table has a schema; each name as the dialect reads it back (sqlName).
QString recordSourceFor(const QString& schema, const QString& tableName, Dialect dialect);

// The statement that reads the record source's columns without reading a row.
QString structureSql(const QString& recordSource);

// Fails when a record source has more columns than the table holds.
void requireColumnRoom(qsizetype count);

// Fills the live entries from the fields of a structure result. Fails, writing nothing, when
// the source has more columns than the table holds.
int fillColumnTable(ColInfoTable& table, const Recordset& structure, Dialect dialect);

} // namespace data
