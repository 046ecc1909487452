#pragma once

#include <sqltypes.h>

namespace data::odbc {

// The ADO type code of a result column from the SQL type the driver describes it with and
// whether it is unsigned. A type without a code of its own is wide text, the form it is read in.
int adoTypeOf(SQLSMALLINT sqlType, bool isUnsigned);

} // namespace data::odbc
