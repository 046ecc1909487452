#pragma once

#include <QVariant>
#include <sql.h>

namespace data::odbc {

class Handle;
struct ResultColumn;

// The current row's value in one column, read with SQLGetData in the C type that suits the
// column's SQL type. Exact numbers come as qlonglong when they have no scale and fit, otherwise
// as double; other integers as int or qlonglong (unsigned 64-bit ones as qulonglong); floating
// numbers as double; bits as bool; dates as QDate, times as QTime, timestamps as wall-clock
// QDateTime; binary data as QByteArray; anything else as its text. Long texts and binary values
// are read in pieces. SQL NULL gives a null QVariant, distinct from an empty text.
// Columns are read in order, each once per row, as drivers require.
QVariant readValue(const Handle& statement, SQLUSMALLINT number, const ResultColumn& column);

} // namespace data::odbc
