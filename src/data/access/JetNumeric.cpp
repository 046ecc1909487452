#include "data/access/JetNumeric.h"

#include "data/access/LittleEndian.h"

#include <charconv>
#include <limits>
#include <string>

namespace data::access {

namespace {
using Magnitude = unsigned __int128;

// The sign byte's top bit marks a negative value; the magnitude follows as four 32-bit words,
// most significant first, each stored little-endian.
Magnitude magnitudeOf(const unsigned char* bytes) {
    Magnitude magnitude = 0;
    for (int word = 0; word < 4; ++word)
        magnitude = (magnitude << 32) | readLittleEndian<std::uint32_t>(bytes + 1 + 4 * word);
    return magnitude;
}

std::string digitsOf(Magnitude magnitude) {
    std::string digits;
    do {
        digits.insert(digits.begin(), static_cast<char>('0' + static_cast<int>(magnitude % 10)));
        magnitude /= 10;
    } while (magnitude != 0);
    return digits;
}

// Through the decimal text so that the result is the double nearest the exact value.
double nearestDouble(bool negative, Magnitude magnitude, int scale) {
    std::string digits = digitsOf(magnitude);
    if (scale > 0) {
        const auto decimals = static_cast<std::size_t>(scale);
        if (digits.size() <= decimals)
            digits.insert(0, decimals + 1 - digits.size(), '0');
        digits.insert(digits.size() - decimals, 1, '.');
    }
    if (negative)
        digits.insert(0, 1, '-');
    double value = 0;
    std::from_chars(digits.data(), digits.data() + digits.size(), value);
    return value;
}
} // namespace

NumericValue jetNumeric(const unsigned char* bytes, int scale) {
    const bool negative = (bytes[0] & 0x80) != 0;
    const Magnitude magnitude = magnitudeOf(bytes);
    constexpr auto largest = static_cast<Magnitude>(std::numeric_limits<std::int64_t>::max());
    if (scale == 0 && magnitude <= largest) {
        const auto value = static_cast<std::int64_t>(magnitude);
        return negative ? -value : value;
    }
    if (scale == 0 && negative && magnitude == largest + 1)
        return std::numeric_limits<std::int64_t>::min();
    return nearestDouble(negative, magnitude, scale);
}

} // namespace data::access
