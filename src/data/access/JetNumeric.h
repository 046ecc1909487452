#pragma once

#include <cstdint>
#include <variant>

// A Numeric (Decimal) column's value: 17 bytes, a sign byte and a 128-bit magnitude, scaled by
// the column's number of decimals.
namespace data::access {

inline constexpr int NumericSize = 17;

// An exact integer when the column has no decimals and the value fits 64 bits; the nearest
// double otherwise.
using NumericValue = std::variant<std::int64_t, double>;

NumericValue jetNumeric(const unsigned char* bytes, int scale);

} // namespace data::access
