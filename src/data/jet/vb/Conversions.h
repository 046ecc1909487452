#pragma once

#include <cstdint>

// The numeric conversions CInt, CLng and CCur: VB rounds halves to the even neighbour (CInt(2.5)
// is 2, CInt(3.5) is 4) and fails with "Overflow" when the result does not fit.
namespace data::jet::vb {

std::int64_t roundToInteger(double value, std::int64_t min, std::int64_t max);

// CInt: 16 bits.
std::int64_t toInteger(double value);
// CLng: 32 bits.
std::int64_t toLong(double value);
// CCur: rounded to four decimals, within the Currency range of about ±922 trillion.
double toCurrency(double value);

} // namespace data::jet::vb
