#pragma once

#include <QMetaType>

// What kind of number a value read from a data source holds, by its Qt type.
namespace data {

// Whole numbers of a signed type, or of an unsigned type narrower than 64 bits.
constexpr bool isSignedWholeNumber(int typeId) {
    switch (typeId) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::Long:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::SChar:
    case QMetaType::UChar:
    case QMetaType::Char:
        return true;
    default:
        return false;
    }
}

// Whole numbers of an unsigned 64-bit type, which a signed 64-bit integer cannot hold.
constexpr bool isUnsignedWide(int typeId) {
    return typeId == QMetaType::ULongLong || typeId == QMetaType::ULong;
}

constexpr bool isWholeNumber(int typeId) {
    return isSignedWholeNumber(typeId) || isUnsignedWide(typeId);
}

} // namespace data
