#pragma once

#include <array>
#include <optional>
#include <string_view>

// Calendar arithmetic on the dates the engine stores as text 'YYYY-MM-DD HH:MM:SS', and on the
// serial dates of VB (days since 1899-12-30, the fraction being the time of day).
namespace data::jet {

// The years a VB date can take.
constexpr int MinYear = 100;
constexpr int MaxYear = 9999;

// A date and time to the second. The default is VB's day zero, which a time alone falls on.
struct DateTimeParts {
    int year = 1899;
    int month = 12;
    int day = 30;
    int hour = 0;
    int minute = 0;
    int second = 0;

    friend bool operator==(const DateTimeParts&, const DateTimeParts&) = default;
};

constexpr std::size_t EngineDateLength = 19;
using EngineDateText = std::array<char, EngineDateLength>;

int daysInMonth(int year, int month);
// Whether every field is in range, the year between MinYear and MaxYear.
bool isValid(const DateTimeParts& date);

int dayOfYear(const DateTimeParts& date);
// 0 for Sunday up to 6 for Saturday.
int weekday(const DateTimeParts& date);

// Reads 'YYYY-MM-DD', 'YYYY-MM-DD HH:MM' or 'YYYY-MM-DD HH:MM:SS' ('T' may stand for the blank;
// a fraction of a second is dropped). Nothing for any other text or an impossible date.
std::optional<DateTimeParts> parseEngineDate(std::string_view text);
// 'YYYY-MM-DD HH:MM:SS'.
EngineDateText engineDateText(const DateTimeParts& date);

double toSerialDate(const DateTimeParts& date);
// Nothing when the serial falls outside the years VB dates can take.
std::optional<DateTimeParts> fromSerialDate(double serial);
// The day `days` after VB's day zero (before it when negative) at `secondOfDay` seconds past
// midnight (0 to 86399); nothing outside the years VB dates can take.
std::optional<DateTimeParts> fromSerialDay(long long days, long long secondOfDay);

} // namespace data::jet
