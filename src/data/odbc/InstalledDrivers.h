#pragma once

#include <QStringList>

namespace data::odbc {

// The descriptions of the drivers the ODBC driver manager knows, in its order (unixODBC reads
// them from odbcinst.ini, which ODBCSYSINI and ODBCINSTINI can move).
QStringList installedDrivers();

} // namespace data::odbc
