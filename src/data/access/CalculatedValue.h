#pragma once

#include "data/access/JetNumeric.h"

#include <QString>
#include <cstddef>
#include <span>

// The value a calculated column keeps in a row: a header of 16 bytes, the length of the value
// (32 bits), the value itself in the column's result type, and a few bytes after it. A Yes/No
// result is one byte (not a bit of the null mask) and a Decimal result has a form of its own.
namespace data::access {

// The value inside the stored bytes of column `column`. Throws Damage when the bytes are too
// short for the header or for the length it gives.
std::span<const unsigned char> calculatedPayload(const unsigned char* bytes, std::size_t size,
                                                 const QString& column);

// A Decimal result: its length (16 bits), its scale, its sign byte and up to 16 bytes of
// magnitude, a leading odd 4 bytes and then 8-byte pieces, most significant first, each stored
// little-endian.
NumericValue calculatedNumeric(std::span<const unsigned char> payload, const QString& column);

} // namespace data::access
