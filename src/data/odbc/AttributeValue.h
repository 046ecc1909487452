#pragma once

#include <QString>

namespace data::odbc {

// Writes a value for an ODBC connection string, as in "DSN=" + attributeValue(name) + ";": as
// it stands unless it holds ";", "{" or "}" or has blanks at either end, and otherwise inside
// braces with each "}" doubled, which the driver manager and drivers read back unchanged.
QString attributeValue(const QString& value);

} // namespace data::odbc
