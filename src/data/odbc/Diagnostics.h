#pragma once

#include <QString>
#include <sql.h>

namespace data::odbc {

class Handle;

inline bool succeeded(SQLRETURN rc) {
    return rc == SQL_SUCCESS || rc == SQL_SUCCESS_WITH_INFO;
}

// The messages the driver manager and the driver left on a handle, one a line, each as the
// driver words it ("[unixODBC][Driver Manager]Data source name not found, ..."); empty when
// there are none.
QString diagnosticText(const Handle& handle);

// The five-character state of the handle's first diagnostic record ("IM002"), empty when there
// is none.
QString diagnosticState(const Handle& handle);

// The state the driver manager reports when the data source named is not defined.
inline constexpr const char* UnknownDataSourceState = "IM002";

// Throws data::Error with the handle's messages when a call on it failed.
void check(SQLRETURN rc, const Handle& handle);

} // namespace data::odbc
