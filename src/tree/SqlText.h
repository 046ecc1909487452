#pragma once

#include "data/Dialect.h"

#include <QString>

namespace tree {

// Text as an SQL string literal: between single quotes, each quote inside written twice.
QString quoted(QString text);

// A text value as the dialect writes it in a condition. A NUL character cannot stand inside a
// literal (drivers and engines read statements as C strings and would cut it there), so a text
// holding one is written as the quoted pieces between the NULs joined by the dialect's Chr(0):
// ('a' & Chr(0) & 'b') for Jet and the ODBC bridge, ('a' || CHR(0) || 'b') for Oracle.
QString textLiteral(const QString& text, data::Dialect dialect);

} // namespace tree
