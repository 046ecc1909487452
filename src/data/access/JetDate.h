#pragma once

#include <optional>

// Jet keeps a Date/Time as a double: whole days since 30 December 1899 and the time of day as
// the fraction. Before 1899 the days count backwards but the fraction still counts the time
// forwards from midnight, so -1.25 is 29 December 1899, 06:00.
namespace data::access {

struct DateTimeParts {
    int year = 0;
    int month = 0;
    int day = 0;
    int hour = 0;
    int minute = 0;
    int second = 0;

    bool operator==(const DateTimeParts&) const = default;
};

// The date and time to the nearest second, or nothing when the value lies outside the years
// 100 to 9999 that Jet accepts (or is not a number at all).
std::optional<DateTimeParts> jetDateTime(double value);

} // namespace data::access
