// Decoding of stored values that the sample files do not cover in full: dates before 1899 and
// at the ends of Jet's range, large and scaled Numerics, compressed UTF-16 text.
#include "RecordingSink.h"
#include "data/access/JetNumeric.h"
#include "data/access/TextDecoder.h"
#include "data/jet/CalendarDate.h"

#include <array>
#include <cmath>
#include <gtest/gtest.h>

using namespace data::access;
using Parts = data::jet::DateTimeParts;

namespace {

TEST(JetDate, CountsDaysFromTheEpochAndTheTimeForwards) {
    const double second = 1.0 / 86400;
    const std::pair<double, Parts> cases[] = {
        {0.0, {1899, 12, 30, 0, 0, 0}},
        {1.5, {1899, 12, 31, 12, 0, 0}},
        {36526.75, {2000, 1, 1, 18, 0, 0}},
        // Before the epoch the whole part counts back, the fraction still forwards from midnight.
        {-1.25, {1899, 12, 29, 6, 0, 0}},
        {-0.5, {1899, 12, 30, 12, 0, 0}},
        {-728.75, {1898, 1, 1, 18, 0, 0}},
        // To the nearest second, across midnight too.
        {2.0 + 3661.4 * second, {1900, 1, 1, 1, 1, 1}},
        {2.0 + 3661.6 * second, {1900, 1, 1, 1, 1, 2}},
        {36525.0 + 86399.7 * second, {2000, 1, 1, 0, 0, 0}},
        {-1.0 - 86399.7 * second, {1899, 12, 30, 0, 0, 0}},
        // The ends of Jet's range of years.
        {-657434.0, {100, 1, 1, 0, 0, 0}},
        {2958465.5, {9999, 12, 31, 12, 0, 0}},
    };
    for (const auto& [serial, parts] : cases)
        EXPECT_EQ(data::jet::fromSerialDate(serial), parts) << serial;
    for (const double outside : {-657435.0, 2958466.0, std::nan(""), 1e300})
        EXPECT_FALSE(data::jet::fromSerialDate(outside)) << outside;
}

// Sign byte, then the 128-bit magnitude as four little-endian words, most significant first.
std::array<unsigned char, NumericSize> numeric(bool negative, std::uint64_t high,
                                               std::uint64_t low) {
    std::array<unsigned char, NumericSize> bytes{};
    bytes[0] = negative ? 0x80 : 0x00;
    const std::uint32_t words[] = {
        static_cast<std::uint32_t>(high >> 32), static_cast<std::uint32_t>(high),
        static_cast<std::uint32_t>(low >> 32), static_cast<std::uint32_t>(low)};
    for (int w = 0; w < 4; ++w)
        for (int b = 0; b < 4; ++b)
            bytes[static_cast<std::size_t>(1 + 4 * w + b)] =
                static_cast<unsigned char>(words[w] >> (8 * b));
    return bytes;
}

TEST(JetNumeric, KeepsWholeNumbersExactAndScalesTheRest) {
    EXPECT_EQ(jetNumeric(numeric(false, 0, 123456789012345678).data(), 0),
              NumericValue(std::int64_t{123456789012345678}));
    EXPECT_EQ(jetNumeric(numeric(true, 0, 42).data(), 0), NumericValue(std::int64_t{-42}));
    EXPECT_EQ(jetNumeric(numeric(true, 0, 1ull << 63).data(), 0),
              NumericValue(std::numeric_limits<std::int64_t>::min()));
    EXPECT_EQ(jetNumeric(numeric(false, 0, 12345).data(), 2), NumericValue(123.45));
    EXPECT_EQ(jetNumeric(numeric(true, 0, 5).data(), 4), NumericValue(-0.0005));
    // 2^64 needs the high word; it no longer fits an exact integer.
    EXPECT_EQ(jetNumeric(numeric(false, 1, 0).data(), 0), NumericValue(18446744073709551616.0));
    EXPECT_EQ(jetNumeric(numeric(false, 0, 1ull << 63).data(), 0),
              NumericValue(9223372036854775808.0));
}

QString utf16(std::initializer_list<unsigned char> bytes) {
    const std::vector<unsigned char> stored(bytes);
    return decodeUtf16Text(stored.data(), stored.size());
}

TEST(Utf16Text, ReadsPlainAndCompressedForms) {
    EXPECT_EQ(utf16({'H', 0, 0xE9, 0, 0xA9, 0x03}), QStringLiteral("Hé\u03A9"));
    EXPECT_EQ(utf16({}), QString());
    // Compressed: one-byte characters, a zero switching to full units and back.
    EXPECT_EQ(utf16({0xFF, 0xFE, 'a', 0xE4, 0, 0xA9, 0x03, 0xAC, 0x20, 0, 'z'}),
              QStringLiteral("a\u00E4\u03A9\u20ACz"));
    EXPECT_EQ(utf16({0xFF, 0xFE}), QString());
    EXPECT_EQ(utf16({0xFF, 0xFE, 'x', 0, 0x41}), QStringLiteral("x")); // a dangling half unit
}

} // namespace
