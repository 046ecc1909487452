#pragma once

#include "data/ColInfo.h"

#include <array>

// What the program knows of each field type code (the ADO DataTypeEnum values that Field::Type
// holds), in one table: the column's conversion keyword, how the embedded engine stores its
// values, and whether its values are exact decimals. Every question about a type code is
// answered from here.
namespace data {

// How a column's values sit in the embedded engine's tables.
enum class Storage {
    Integer,  // INTEGER: Byte, Integer, Long Integer, and Numeric with no decimals
    Boolean,  // INTEGER -1 (True) or 0 (False), as Jet counts them
    Real,     // REAL: Single, Double, Numeric with decimals
    Currency, // INTEGER holding the amount times 10,000, exact to four decimals
    DateTime, // TEXT 'YYYY-MM-DD HH:MM:SS', which sorts and compares in time order
    Text,     // TEXT with the case-insensitive collation "JETTEXT"
    Blob,     // BLOB: Binary, OLE Object, Replication ID
};

struct TypeCode {
    int code = -1; // -1 for a code the table does not list
    Conversion conversion = Conversion::Nothing;
    Storage storage = Storage::Blob; // exact decimals: with decimals; without them Integer
    bool exactDecimal = false;       // digits beyond what a double holds (Decimal, Numeric)
};

namespace detail {

// The codes the program's sources deliver; any other code reads as an unknown kind of bytes.
inline constexpr TypeCode Listed[] = {
    {2, Conversion::CInt, Storage::Integer},      // adSmallInt
    {3, Conversion::CInt, Storage::Integer},      // adInteger
    {16, Conversion::CInt, Storage::Integer},     // adTinyInt
    {17, Conversion::CInt, Storage::Integer},     // adUnsignedTinyInt
    {18, Conversion::CInt, Storage::Integer},     // adUnsignedSmallInt
    {19, Conversion::CInt, Storage::Integer},     // adUnsignedInt
    {20, Conversion::CLng, Storage::Integer},     // adBigInt
    {21, Conversion::CLng, Storage::Integer},     // adUnsignedBigInt
    {6, Conversion::CDec, Storage::Currency},     // adCurrency
    {14, Conversion::CDec, Storage::Real, true},  // adDecimal
    {131, Conversion::CDec, Storage::Real, true}, // adNumeric
    {139, Conversion::CDec, Storage::Real, true}, // adVarNumeric
    {4, Conversion::CDbl, Storage::Real},         // adSingle
    {5, Conversion::CDbl, Storage::Real},         // adDouble
    {11, Conversion::CBool, Storage::Boolean},    // adBoolean
    {129, Conversion::CStr, Storage::Text},       // adChar
    {130, Conversion::CStr, Storage::Text},       // adWChar
    {200, Conversion::CStr, Storage::Text},       // adVarChar
    {201, Conversion::CStr, Storage::Text},       // adLongVarChar
    {202, Conversion::CStr, Storage::Text},       // adVarWChar
    {203, Conversion::CStr, Storage::Text},       // adLongVarWChar
    {7, Conversion::CDate, Storage::DateTime},    // adDate
    {133, Conversion::CDate, Storage::DateTime},  // adDBDate
    {134, Conversion::CDate, Storage::DateTime},  // adDBTime
    {135, Conversion::CDate, Storage::DateTime},  // adDBTimeStamp
    {72, Conversion::Nothing, Storage::Blob},     // adGUID
    {128, Conversion::Nothing, Storage::Blob},    // adBinary
    {204, Conversion::Nothing, Storage::Blob},    // adVarBinary
    {205, Conversion::Nothing, Storage::Blob},    // adLongVarBinary
};

// The table by code, for a look-up without a search: every code listed is below 256.
constexpr std::array<TypeCode, 256> byCode() {
    std::array<TypeCode, 256> table{};
    for (const TypeCode& type : Listed)
        table[std::size_t(type.code)] = type;
    return table;
}

inline constexpr std::array<TypeCode, 256> ByCode = byCode();

} // namespace detail

// The entry of a code; a code the table does not list has code -1, Nothing and Blob.
constexpr const TypeCode& typeCode(int code) {
    return code >= 0 && code < 256 ? detail::ByCode[std::size_t(code)] : detail::ByCode[0];
}

// Whole numbers of any width and sign. Boolean is not one.
constexpr bool isIntegerType(int code) {
    const Conversion c = typeCode(code).conversion;
    return c == Conversion::CInt || c == Conversion::CLng;
}

// Numbers, which lists and grids align to the right and statistics are taken of. Boolean is not
// one.
constexpr bool isNumberType(int code) {
    const Conversion c = typeCode(code).conversion;
    return isIntegerType(code) || c == Conversion::CDec || c == Conversion::CDbl;
}

// Exact decimals, whose digits may be more than a double holds.
constexpr bool isExactDecimalType(int code) {
    return typeCode(code).exactDecimal;
}

// Values that are bytes rather than text.
constexpr bool isBinaryType(int code) {
    return typeCode(code).code >= 0 && typeCode(code).storage == Storage::Blob;
}

} // namespace data
