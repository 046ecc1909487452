#pragma once

// Field type codes as the program's handlers know them: the ADO DataTypeEnum values.
namespace data::ado {

enum DataType : int {
    adEmpty = 0,
    adSmallInt = 2,
    adInteger = 3,
    adSingle = 4,
    adDouble = 5,
    adCurrency = 6,
    adDate = 7,
    adBSTR = 8,
    adBoolean = 11,
    adVariant = 12,
    adDecimal = 14,
    adTinyInt = 16,
    adUnsignedTinyInt = 17,
    adUnsignedSmallInt = 18,
    adUnsignedInt = 19,
    adBigInt = 20,
    adUnsignedBigInt = 21,
    adGUID = 72,
    adBinary = 128,
    adChar = 129,
    adWChar = 130,
    adNumeric = 131,
    adDBDate = 133,
    adDBTime = 134,
    adDBTimeStamp = 135,
    adVarNumeric = 139,
    adVarChar = 200,
    adLongVarChar = 201,
    adVarWChar = 202,
    adLongVarWChar = 203,
    adVarBinary = 204,
    adLongVarBinary = 205,
};

// Codes of whole numbers, of any width and sign. Boolean is not one.
constexpr bool isIntegerType(int type) {
    switch (type) {
    case adSmallInt:
    case adInteger:
    case adTinyInt:
    case adUnsignedTinyInt:
    case adUnsignedSmallInt:
    case adUnsignedInt:
    case adBigInt:
    case adUnsignedBigInt:
        return true;
    default:
        return false;
    }
}

// Codes whose values are numbers, which lists and grids align to the right. Boolean is not one.
constexpr bool isNumberType(int type) {
    switch (type) {
    case adSingle:
    case adDouble:
    case adCurrency:
    case adDecimal:
    case adNumeric:
    case adVarNumeric:
        return true;
    default:
        return isIntegerType(type);
    }
}

// Codes of exact decimals, whose digits may be more than a double holds.
constexpr bool isExactDecimalType(int type) {
    return type == adDecimal || type == adNumeric || type == adVarNumeric;
}

// Codes whose values are bytes rather than text.
constexpr bool isBinaryType(int type) {
    return type == adBinary || type == adVarBinary || type == adLongVarBinary || type == adGUID;
}

} // namespace data::ado
