#include "data/odbc/AdoType.h"

#include "data/AdoTypes.h"

#include <sqlext.h>
#include <sqlucode.h>

namespace data::odbc {

int adoTypeOf(SQLSMALLINT sqlType, bool isUnsigned) {
    using namespace data::ado;
    switch (sqlType) {
    case SQL_CHAR:
        return adChar;
    case SQL_VARCHAR:
        return adVarChar;
    case SQL_LONGVARCHAR:
        return adLongVarChar;
    case SQL_WCHAR:
        return adWChar;
    case SQL_WVARCHAR:
        return adVarWChar;
    case SQL_WLONGVARCHAR:
        return adLongVarWChar;
    case SQL_DECIMAL:
    case SQL_NUMERIC:
        return adNumeric;
    case SQL_TINYINT:
        return isUnsigned ? adUnsignedTinyInt : adTinyInt;
    case SQL_SMALLINT:
        return isUnsigned ? adUnsignedSmallInt : adSmallInt;
    case SQL_INTEGER:
        return isUnsigned ? adUnsignedInt : adInteger;
    case SQL_BIGINT:
        return isUnsigned ? adUnsignedBigInt : adBigInt;
    case SQL_REAL:
        return adSingle;
    case SQL_FLOAT:
    case SQL_DOUBLE:
        return adDouble;
    case SQL_BIT:
        return adBoolean;
    case SQL_TYPE_DATE:
        return adDBDate;
    case SQL_TYPE_TIME:
        return adDBTime;
    case SQL_TYPE_TIMESTAMP:
        return adDBTimeStamp;
    case SQL_BINARY:
        return adBinary;
    case SQL_VARBINARY:
        return adVarBinary;
    case SQL_LONGVARBINARY:
        return adLongVarBinary;
    case SQL_GUID:
        return adGUID;
    default:
        return adVarWChar;
    }
}

} // namespace data::odbc
