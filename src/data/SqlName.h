#pragma once

#include "data/Dialect.h"

#include <QString>

// A column's or a table's name written into SQL so that the dialect reads it back as that very
// name, whatever characters it holds: every statement the program writes takes its names from
// here.
namespace data {

// Jet and the ODBC bridge: "[" + name + "]", a closing bracket inside the name doubled, as the
// engine's reader takes it back.
QString bracketedName(const QString& name);

// Oracle: the name as it stands when the server reads it unquoted as itself (upper-case letters,
// digits, "_", "$" and "#", a letter first, no reserved word); otherwise in double quotes, a
// double quote inside doubled.
QString oracleName(const QString& name);

// The name as the dialect reads it: bracketed for Jet, the ODBC bridge and an unknown provider,
// Oracle's way for Oracle.
QString sqlName(const QString& name, Dialect dialect);

// The name a text written by sqlName stands for, in any dialect: the brackets or quotes taken
// off and the doubled characters undone; a bare name as it stands.
QString nameOf(const QString& written);

} // namespace data
