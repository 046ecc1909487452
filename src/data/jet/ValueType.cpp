#include "data/jet/ValueType.h"

#include "data/AdoTypes.h"

namespace data::jet {

using namespace data::ado;

bool isIntegral(int adoType) {
    return isIntegerType(adoType) || adoType == adBoolean;
}

ValueType valueTypeOf(int adoType) {
    switch (adoType) {
    case adBoolean:
        return {adoType, Storage::Boolean};
    case adSingle:
    case adDouble:
    case adCurrency:
    case adDecimal:
    case adNumeric:
    case adVarNumeric:
        return {adoType, Storage::Real};
    case adDate:
    case adDBDate:
    case adDBTime:
    case adDBTimeStamp:
        return {adoType, Storage::DateTime};
    case adGUID:
    case adBinary:
    case adVarBinary:
    case adLongVarBinary:
        return {adoType, Storage::Blob};
    default:
        return {adoType, isIntegral(adoType) ? Storage::Integer : Storage::Text};
    }
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
