#pragma once

#include "data/Provider.h"

#include <QString>
#include <memory>

namespace data::odbc {

// Connects through the ODBC driver manager with an ODBC connection string such as
// "DSN=name;UID=user;PWD=password" or "DRIVER={name};DBQ=path" (see attributeValue for writing
// values), without prompting. Read-only asks the driver to refuse changes. Statements go to the
// driver unchanged, in its own dialect. Throws data::Error with the driver's description when
// the connection fails, naming `dataSource` first when the driver manager does not know it.
std::unique_ptr<Provider> openOdbcProvider(const QString& odbcConnectionString, bool readOnly,
                                           const QString& dataSource = {});

// Off, rows from a position are read from the start and passed over even where the driver
// could fetch them by position: the plain path that the driver's must agree with.
inline bool scrollable = true;

} // namespace data::odbc
