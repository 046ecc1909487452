#include "data/jet/vb/DateMask.h"

#include <QString>

namespace data::jet::vb {

namespace {

bool isDigit(QChar c) {
    return c >= u'0' && c <= u'9';
}

// What the text's leading numbers tell; zero where they tell nothing.
struct Numbers {
    int year = 0, quarter = 0, month = 0, dayOfYear = 0, day = 0;
    std::optional<int> hour, minute, second;
};

enum class Unit { Year, Quarter, Month, Day, Hour, Minute, Second };

// The first date after the span of one unit that begins at `date`.
DateTimeParts advance(DateTimeParts date, Unit unit) {
    switch (unit) {
    case Unit::Second:
        if (++date.second < 60)
            return date;
        date.second = 0;
        [[fallthrough]];
    case Unit::Minute:
        if (++date.minute < 60)
            return date;
        date.minute = 0;
        [[fallthrough]];
    case Unit::Hour:
        if (++date.hour < 24)
            return date;
        date.hour = 0;
        [[fallthrough]];
    case Unit::Day:
        if (++date.day <= daysInMonth(date.year, date.month))
            return date;
        date.day = 1;
        [[fallthrough]];
    case Unit::Month:
    case Unit::Quarter:
        date.month += unit == Unit::Quarter ? 3 : 1;
        if (date.month <= 12)
            return date;
        date.month -= 12;
        ++date.year;
        return date;
    case Unit::Year:
        break;
    }
    return {date.year + 1, 1, 1, 0, 0, 0};
}

// The finest span the numbers pin down, going from the year down without gaps.
std::optional<DateMask::Span> spanOf(const Numbers& n) {
    if (n.year < MinYear || n.year > MaxYear)
        return std::nullopt;
    DateTimeParts from{n.year, 1, 1, 0, 0, 0};
    Unit unit = Unit::Year;
    if (n.month) {
        from.month = n.month;
        unit = Unit::Month;
        if (n.day) {
            from.day = n.day;
            unit = Unit::Day;
        }
    } else if (n.quarter) {
        from.month = n.quarter * 3 - 2;
        unit = Unit::Quarter;
    } else if (n.dayOfYear) {
        const auto day = fromSerialDate(toSerialDate(from) + n.dayOfYear - 1);
        if (!day || day->year != n.year)
            return std::nullopt;
        from = *day;
        unit = Unit::Day;
    }
    if (unit == Unit::Day && n.hour) {
        from.hour = *n.hour;
        unit = Unit::Hour;
        if (n.minute) {
            from.minute = *n.minute;
            unit = Unit::Minute;
            if (n.second) {
                from.second = *n.second;
                unit = Unit::Second;
            }
        }
    }
    if (!isValid(from))
        return std::nullopt;
    const DateTimeParts until = advance(from, unit);
    return DateMask::Span{from, until.year <= MaxYear ? std::optional(until) : std::nullopt};
}

} // namespace

std::optional<DateMask::Span> DateMask::span(QStringView text) const {
    Numbers numbers;
    qsizetype at = 0;
    for (std::size_t i = 0; i < tokens_.size(); ++i) {
        const Token& token = tokens_[i];
        if (token.part == Part::Literal) {
            const QString literal = QString::fromUtf8(token.text);
            if (text.mid(at, literal.size()).compare(literal, Qt::CaseInsensitive) != 0)
                break;
            at += literal.size();
            continue;
        }
        // A number ends where the text's digits end only when what the mask writes next does
        // not begin with a digit.
        const bool next = i + 1 < tokens_.size();
        if (next && (tokens_[i + 1].part != Part::Literal || isDigit(tokens_[i + 1].text[0])))
            break;
        qsizetype end = at;
        while (end < text.size() && end - at < 5 && isDigit(text[end]))
            ++end;
        if (end == at || (end < text.size() && isDigit(text[end])))
            break;
        const int value = text.mid(at, end - at).toInt();
        at = end;
        switch (token.part) {
        case Part::Year4:
            numbers.year = value;
            continue;
        case Part::Quarter:
            numbers.quarter = value;
            continue;
        case Part::Month:
        case Part::Month2:
            numbers.month = value;
            continue;
        case Part::DayOfYear:
            numbers.dayOfYear = value;
            continue;
        case Part::Day:
        case Part::Day2:
            numbers.day = value;
            continue;
        case Part::Hour:
        case Part::Hour2:
            if (twelveHour_)
                break;
            numbers.hour = value;
            continue;
        case Part::Minute:
        case Part::Minute2:
            numbers.minute = value;
            continue;
        case Part::Second:
        case Part::Second2:
            numbers.second = value;
            continue;
        default:
            break;
        }
        break;
    }
    return spanOf(numbers);
}

} // namespace data::jet::vb
