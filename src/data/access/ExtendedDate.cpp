#include "data/access/ExtendedDate.h"

#include "data/access/Damage.h"

namespace data::access {

namespace {
constexpr std::size_t Digits = 19;
constexpr long long TicksPerSecond = 10'000'000;
constexpr long long SecondsPerDay = 86'400;
// 1899-12-30, VB's day zero, counted from 0001-01-01.
constexpr long long DayZeroFromYearOne = 693'593;
// Above any day or tick count a valid value holds, below the point where 19 digits overflow.
constexpr long long Largest = 1'000'000'000'000'000;

// The number written by the 19 digits at `at`, followed by a colon; -1 when it is not that.
long long numberAt(std::span<const unsigned char> bytes, std::size_t at) {
    long long value = 0;
    for (std::size_t i = at; i < at + Digits; ++i) {
        if (bytes[i] < '0' || bytes[i] > '9' || value > Largest)
            return -1;
        value = value * 10 + (bytes[i] - '0');
    }
    return bytes[at + Digits] == ':' ? value : -1;
}
} // namespace

std::optional<jet::DateTimeParts> extendedDate(std::span<const unsigned char> bytes,
                                               const QString& column) {
    const long long days = bytes.size() >= 2 * (Digits + 1) ? numberAt(bytes, 0) : -1;
    const long long ticks = days < 0 ? -1 : numberAt(bytes, Digits + 1);
    if (ticks < 0 || ticks >= SecondsPerDay * TicksPerSecond)
        throw Damage(QStringLiteral("column '%1' holds an impossible date").arg(column));
    long long seconds = (ticks + TicksPerSecond / 2) / TicksPerSecond;
    const long long carry = seconds / SecondsPerDay;
    seconds %= SecondsPerDay;
    return jet::fromSerialDay(days + carry - DayZeroFromYearOne, seconds);
}

} // namespace data::access
