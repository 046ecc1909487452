#include "data/ColumnTypes.h"

#include "data/TypeCodes.h"

namespace data {

QString conversionKeyword(Conversion conversion) {
    switch (conversion) {
    case Conversion::Spare:
        return QStringLiteral("0");
    case Conversion::CInt:
        return QStringLiteral("CInt");
    case Conversion::CLng:
        return QStringLiteral("CLng");
    case Conversion::CDec:
        return QStringLiteral("CDec");
    case Conversion::CDbl:
        return QStringLiteral("CDbl");
    case Conversion::CBool:
        return QStringLiteral("CBool");
    case Conversion::CStr:
        return QStringLiteral("CStr");
    case Conversion::CDate:
        return QStringLiteral("CDate");
    case Conversion::Nothing:
        break;
    }
    return QStringLiteral("NOTHING");
}

Conversion colADTypes(int adoType) {
    return typeCode(adoType).conversion;
}

bool ColIsNumeric(Conversion conversion) {
    return conversion == Conversion::CInt || conversion == Conversion::CLng ||
           conversion == Conversion::CDec || conversion == Conversion::CDbl;
}

} // namespace data
