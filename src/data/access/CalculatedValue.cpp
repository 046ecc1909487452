#include "data/access/CalculatedValue.h"

#include "data/access/Damage.h"
#include "data/access/LittleEndian.h"

#include <algorithm>
#include <array>

namespace data::access {

namespace {
constexpr std::size_t LengthOffset = 16;
constexpr std::size_t ValueOffset = 20;
constexpr std::size_t DecimalPrefix = 4; // length, scale, sign
constexpr std::size_t MostMagnitudeBytes = 16;
constexpr int MostDecimals = 28;

Damage impossible(const QString& column) {
    return Damage(QStringLiteral("a value of calculated column '%1' is cut short").arg(column));
}
} // namespace

std::span<const unsigned char> calculatedPayload(const unsigned char* bytes, std::size_t size,
                                                 const QString& column) {
    if (size < ValueOffset)
        throw impossible(column);
    const std::size_t length = readLittleEndian<std::uint32_t>(bytes + LengthOffset);
    if (length > size - ValueOffset)
        throw impossible(column);
    return {bytes + ValueOffset, length};
}

NumericValue calculatedNumeric(std::span<const unsigned char> payload, const QString& column) {
    if (payload.size() < DecimalPrefix)
        throw impossible(column);
    const std::size_t declared = readLittleEndian<std::uint16_t>(payload.data());
    // The length counts the scale and sign bytes; the magnitude is whole 4-byte words.
    const std::size_t count =
        std::min({declared < 2 ? 0 : (declared - 2) / 4 * 4, MostMagnitudeBytes,
                  (payload.size() - DecimalPrefix) / 4 * 4});
    const int scale = payload[2];
    if (scale > MostDecimals)
        throw Damage(
            QStringLiteral("calculated column '%1' holds an impossible number").arg(column));
    const unsigned char* magnitude = payload.data() + DecimalPrefix;
    unsigned __int128 value = 0;
    std::size_t at = 0;
    if (count % 8 != 0) {
        value = readLittleEndian<std::uint32_t>(magnitude);
        at = 4;
    }
    for (; at < count; at += 8)
        value = (value << 64) | readLittleEndian<std::uint64_t>(magnitude + at);
    // Into a Decimal column's own form: the sign byte, then four 32-bit words.
    std::array<unsigned char, NumericSize> stored{};
    stored[0] = payload[3] != 0 ? 0x80 : 0;
    for (int word = 3; word >= 0; --word, value >>= 32)
        qToLittleEndian(std::uint32_t(value), stored.data() + 1 + 4 * word);
    return jetNumeric(stored.data(), scale);
}

} // namespace data::access
