#include "data/ColumnTypes.h"

#include "data/TypeCodes.h"

namespace data {

Conversion colADTypes(int adoType) {
    return typeCode(adoType).conversion;
}

bool ColIsNumeric(Conversion conversion) {
    return conversion == Conversion::CInt || conversion == Conversion::CLng ||
           conversion == Conversion::CDec || conversion == Conversion::CDbl;
}

} // namespace data
