#pragma once

#include "data/jet/Catalog.h"

#include <QVariant>
#include <optional>
#include <sqlite3.h>

// A column of a query's current row as the program sees it, converted by the column's storage:
// Integer gives qlonglong, Boolean bool, Real and Currency double (a Currency column arrives
// already divided by 10,000), DateTime QDateTime, Text QString and Blob QByteArray. Null gives an
// invalid QVariant, which differs from an empty QString.
//
// Dates are wall-clock times without a time zone, as data::wallClock makes them.
//
// A number in a Text column comes as its text. Any other value whose stored kind does not suit
// the storage (text in a Real column, a column whose storage is not known) comes as what is
// stored: INTEGER as qlonglong, REAL as double, TEXT as QString, BLOB as QByteArray.
namespace data::jet {

QVariant resultValue(sqlite3_stmt* statement, int column, std::optional<Storage> storage);

} // namespace data::jet
