#include "data/jet/CalendarDate.h"

#include <cmath>

namespace data::jet {

namespace {

constexpr int SecondsPerDay = 86400;
// daysFromCivil(1899, 12, 30): the serial dates' day zero.
constexpr long long SerialDayZero = -25569;

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// The number written by `count` digits at `text[at]`, or -1 when one of them is not a digit.
int digitsAt(std::string_view text, std::size_t at, std::size_t count) {
    int value = 0;
    for (std::size_t i = at; i < at + count; ++i) {
        if (!isDigit(text[i]))
            return -1;
        value = value * 10 + (text[i] - '0');
    }
    return value;
}

// '.' and at least one digit.
bool isFraction(std::string_view text) {
    if (text.size() < 2 || text[0] != '.')
        return false;
    for (char c : text.substr(1))
        if (!isDigit(c))
            return false;
    return true;
}

void writeDigits(char* out, int value, int count) {
    for (int i = count - 1; i >= 0; --i) {
        out[i] = char('0' + value % 10);
        value /= 10;
    }
}

} // namespace

int daysInMonth(int year, int month) {
    static constexpr std::array<int, 12> Days{31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return month == 2 && leap ? 29 : Days[month - 1];
}

bool isValid(const DateTimeParts& d) {
    return d.year >= MinYear && d.year <= MaxYear && d.month >= 1 && d.month <= 12 && d.day >= 1 &&
           d.day <= daysInMonth(d.year, d.month) && d.hour >= 0 && d.hour < 24 && d.minute >= 0 &&
           d.minute < 60 && d.second >= 0 && d.second < 60;
}

namespace {

// Days from 1970-01-01 to the given day of the proleptic Gregorian calendar, counted in eras of
// 400 years.
long long daysFromCivil(int year, int month, int day) {
    const int y = month <= 2 ? year - 1 : year;
    const long long era = (y >= 0 ? y : y - 399) / 400;
    const long long yearOfEra = y - era * 400;
    const long long dayOfYear = (153 * (month > 2 ? month - 3 : month + 9) + 2) / 5 + day - 1;
    const long long dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

// The day that daysFromCivil counts `days` to.
void civilFromDays(long long days, DateTimeParts& out) {
    days += 719468;
    const long long era = (days >= 0 ? days : days - 146096) / 146097;
    const long long dayOfEra = days - era * 146097;
    const long long yearOfEra =
        (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const long long dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const long long shiftedMonth = (5 * dayOfYear + 2) / 153;
    out.day = int(dayOfYear - (153 * shiftedMonth + 2) / 5 + 1);
    out.month = int(shiftedMonth < 10 ? shiftedMonth + 3 : shiftedMonth - 9);
    out.year = int(yearOfEra + era * 400 + (out.month <= 2 ? 1 : 0));
}

} // namespace

int dayOfYear(const DateTimeParts& d) {
    return int(daysFromCivil(d.year, d.month, d.day) - daysFromCivil(d.year, 1, 1)) + 1;
}

int weekday(const DateTimeParts& d) {
    // 1970-01-01 was a Thursday.
    return int(((daysFromCivil(d.year, d.month, d.day) + 4) % 7 + 7) % 7);
}

std::optional<DateTimeParts> parseEngineDate(std::string_view text) {
    if (text.size() < 10 || text[4] != '-' || text[7] != '-')
        return std::nullopt;
    DateTimeParts d;
    d.year = digitsAt(text, 0, 4);
    d.month = digitsAt(text, 5, 2);
    d.day = digitsAt(text, 8, 2);
    d.hour = d.minute = d.second = 0;
    if (text.size() > 10) {
        if (text.size() < 16 || (text[10] != ' ' && text[10] != 'T') || text[13] != ':')
            return std::nullopt;
        d.hour = digitsAt(text, 11, 2);
        d.minute = digitsAt(text, 14, 2);
        if (text.size() > 16) {
            if (text.size() < 19 || text[16] != ':')
                return std::nullopt;
            d.second = digitsAt(text, 17, 2);
            if (text.size() > 19 && !isFraction(text.substr(19)))
                return std::nullopt;
        }
    }
    if (!isValid(d))
        return std::nullopt;
    return d;
}

EngineDateText engineDateText(const DateTimeParts& d) {
    EngineDateText out{};
    writeDigits(&out[0], d.year, 4);
    out[4] = '-';
    writeDigits(&out[5], d.month, 2);
    out[7] = '-';
    writeDigits(&out[8], d.day, 2);
    out[10] = ' ';
    writeDigits(&out[11], d.hour, 2);
    out[13] = ':';
    writeDigits(&out[14], d.minute, 2);
    out[16] = ':';
    writeDigits(&out[17], d.second, 2);
    return out;
}

// Before day zero the whole days count back while the fraction still counts forward from
// midnight: -1.25 is 1899-12-29 06:00.
double toSerialDate(const DateTimeParts& d) {
    const double days = double(daysFromCivil(d.year, d.month, d.day) - SerialDayZero);
    const double time = double(d.hour * 3600 + d.minute * 60 + d.second) / SecondsPerDay;
    return days >= 0 ? days + time : days - time;
}

std::optional<DateTimeParts> fromSerialDate(double serial) {
    // Wider than the years VB dates can take, narrow enough for the arithmetic below.
    if (!std::isfinite(serial) || std::fabs(serial) > 4e6)
        return std::nullopt;
    const double wholeDays = std::trunc(serial);
    long long days = (long long)wholeDays;
    long long seconds = std::llround(std::fabs(serial - wholeDays) * SecondsPerDay);
    if (seconds == SecondsPerDay) {
        seconds = 0;
        ++days;
    }
    return fromSerialDay(days, seconds);
}

std::optional<DateTimeParts> fromSerialDay(long long days, long long secondOfDay) {
    // Far wider than the years VB dates can take, narrow enough for the calendar arithmetic.
    if (days < -4000000 || days > 4000000 || secondOfDay < 0 || secondOfDay >= SecondsPerDay)
        return std::nullopt;
    DateTimeParts d;
    civilFromDays(days + SerialDayZero, d);
    d.hour = int(secondOfDay / 3600);
    d.minute = int(secondOfDay / 60 % 60);
    d.second = int(secondOfDay % 60);
    if (!isValid(d))
        return std::nullopt;
    return d;
}

} // namespace data::jet
