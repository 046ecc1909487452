#include "data/jet/vb/Conversions.h"

#include "data/jet/vb/VbError.h"

#include <cmath>
#include <limits>

namespace data::jet::vb {

namespace {

constexpr double CurrencyScale = 10000;

} // namespace

// nearbyint rounds halves to even in the default rounding mode.
std::int64_t roundToInteger(double value, std::int64_t min, std::int64_t max) {
    const double rounded = std::nearbyint(value);
    if (!(rounded >= double(min) && rounded <= double(max)))
        throw VbError(Overflow);
    return std::int64_t(rounded);
}

std::int64_t toInteger(double value) {
    return roundToInteger(value, std::numeric_limits<std::int16_t>::min(),
                          std::numeric_limits<std::int16_t>::max());
}

std::int64_t toLong(double value) {
    return roundToInteger(value, std::numeric_limits<std::int32_t>::min(),
                          std::numeric_limits<std::int32_t>::max());
}

double toCurrency(double value) {
    // The largest amount whose scaled value a 64-bit integer holds: 922,337,203,685,477.5807.
    constexpr double Limit = 9.2233720368547758e18;
    const double scaled = std::nearbyint(value * CurrencyScale);
    if (!(std::fabs(scaled) < Limit))
        throw VbError(Overflow);
    return scaled / CurrencyScale;
}

} // namespace data::jet::vb
