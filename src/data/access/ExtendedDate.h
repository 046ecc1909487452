#pragma once

#include "data/jet/CalendarDate.h"

#include <QString>
#include <cstddef>
#include <optional>
#include <span>

// A Date/Time Extended value (Access 2019 and later): 42 bytes of text, the days since
// 0001-01-01 in 19 digits, a colon, the time of day in ticks of 100 ns in 19 digits, a colon, the
// number of decimals the column shows and a closing zero byte.
namespace data::access {

inline constexpr int ExtendedDateSize = 42;

// The value to the engine's precision: the time rounded to the nearest second (half a second
// up, into the next day at midnight). Nothing for a date the engine's dates cannot hold (before
// the year 100). Throws Damage when the bytes are not such a text.
std::optional<jet::DateTimeParts> extendedDate(std::span<const unsigned char> bytes,
                                               const QString& column);

} // namespace data::access
