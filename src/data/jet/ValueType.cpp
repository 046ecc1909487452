#include "data/jet/ValueType.h"

#include "data/AdoTypes.h"
#include "data/TypeCodes.h"

namespace data::jet {

using namespace data::ado;

bool isIntegral(int adoType) {
    return isIntegerType(adoType) || adoType == adBoolean;
}

ValueType valueTypeOf(int adoType) {
    const TypeCode& type = typeCode(adoType);
    // A code the table does not list yields text; Currency and exact decimals come back as
    // real numbers.
    if (type.code < 0)
        return {adoType, Storage::Text};
    if (type.storage == Storage::Currency || type.exactDecimal)
        return {adoType, Storage::Real};
    return {adoType, type.storage};
}

ValueType arithmeticType(ValueType left, ValueType right) {
    const int a = left.ado, b = right.ado;
    if (isIntegral(a) && isIntegral(b))
        return valueTypeOf(a == adBigInt || b == adBigInt ? adBigInt : adInteger);
    const bool currencyOrWhole =
        (a == adCurrency || isIntegral(a)) && (b == adCurrency || isIntegral(b));
    return valueTypeOf(currencyOrWhole ? adCurrency : adDouble);
}

ValueType sumType(ValueType argument) {
    switch (argument.ado) {
    case adBigInt:
    case adCurrency:
    case adDecimal:
    case adNumeric:
    case adVarNumeric:
        return valueTypeOf(argument.ado);
    default:
        return valueTypeOf(isIntegral(argument.ado) ? adInteger : adDouble);
    }
}

ValueType commonType(ValueType first, ValueType second) {
    if (first.ado == second.ado || second.ado == adEmpty)
        return first;
    if (first.ado == adEmpty)
        return second;
    return valueTypeOf(adVarWChar);
}

} // namespace data::jet
