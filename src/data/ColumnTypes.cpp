#include "data/ColumnTypes.h"

#include "data/AdoTypes.h"

namespace data {

QString colADTypes(int adoType) {
    using namespace ado;
    switch (adoType) {
    case adSmallInt:
    case adInteger:
    case adTinyInt:
    case adUnsignedTinyInt:
    case adUnsignedSmallInt:
    case adUnsignedInt:
        return "CInt";
    case adBigInt:
    case adUnsignedBigInt:
        return "CLng";
    case adCurrency:
    case adDecimal:
    case adNumeric:
    case adVarNumeric:
        return "CDec";
    case adSingle:
    case adDouble:
        return "CDbl";
    case adBoolean:
        return "CBool";
    case adChar:
    case adWChar:
    case adVarChar:
    case adLongVarChar:
    case adVarWChar:
    case adLongVarWChar:
        return "CStr";
    case adDate:
    case adDBDate:
    case adDBTime:
    case adDBTimeStamp:
        return "CDate";
    default:
        return "NOTHING";
    }
}

bool ColIsNumeric(const QString& keyword) {
    static const QString numeric[] = {"CCur", "CByte", "CDbl", "CDec", "CInt", "CLng", "CSng"};
    for (const QString& k : numeric)
        if (keyword == k)
            return true;
    return false;
}

} // namespace data
