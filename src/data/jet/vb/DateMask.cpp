#include "data/jet/vb/DateMask.h"

#include "data/jet/vb/RegionalSettings.h"

#include <QDate>
#include <QTime>
#include <algorithm>

namespace data::jet::vb {

namespace {

constexpr qsizetype LongestPart = 6; // dddddd

void appendNumber(std::string& out, int value, int minDigits) {
    char digits[16];
    char* end = digits + sizeof digits;
    char* begin = end;
    do {
        *--begin = char('0' + value % 10);
        value /= 10;
    } while (value > 0 && begin > digits);
    while (end - begin < minDigits && begin > digits)
        *--begin = '0';
    out.append(begin, std::size_t(end - begin));
}

void append(std::string& out, const QByteArray& text) {
    out.append(text.constData(), std::size_t(text.size()));
}

// Weeks start on Sunday and week 1 is the one holding January 1.
int weekOfYear(const DateTimeParts& date) {
    const DateTimeParts newYear{date.year, 1, 1, 0, 0, 0};
    return (dayOfYear(date) - 1 + weekday(newYear)) / 7 + 1;
}

bool matchesAt(QStringView mask, qsizetype at, QLatin1String word) {
    return mask.mid(at, word.size()).compare(word, Qt::CaseInsensitive) == 0;
}

QDate qDate(const DateTimeParts& d) {
    return QDate(d.year, d.month, d.day);
}
QTime qTime(const DateTimeParts& d) {
    return QTime(d.hour, d.minute, d.second);
}

} // namespace

DateMask::DateMask(QStringView mask) {
    qsizetype at = 0;
    while (at < mask.size()) {
        const QChar c = mask[at];
        if (c == u'\\') {
            addLiteral(mask.mid(at + 1, 1));
            at += 2;
            continue;
        }
        if (c == u'"') {
            qsizetype end = mask.indexOf(u'"', at + 1);
            if (end < 0)
                end = mask.size();
            addLiteral(mask.mid(at + 1, end - at - 1));
            at = end + 1;
            continue;
        }
        if (readAmPm(mask, at))
            continue;
        const char16_t letter = c.toLower().unicode();
        qsizetype run = 1;
        while (at + run < mask.size() && mask[at + run].toLower() == letter)
            ++run;
        // The longest part the run begins with: "yyy" is "yy" and then "y".
        qsizetype length = std::min(run, LongestPart);
        while (length > 0 && !partFor(letter, length))
            --length;
        if (length == 0) {
            addLiteral(mask.mid(at, 1));
            ++at;
        } else {
            tokens_.push_back({*partFor(letter, length), {}, {}});
            at += length;
        }
    }
    resolveMinutes();
}

std::optional<DateMask::Part> DateMask::partFor(char16_t letter, qsizetype length) {
    static constexpr Part Days[] = {Part::Day,     Part::Day2,      Part::DayAbbreviation,
                                    Part::DayName, Part::ShortDate, Part::LongDate};
    static constexpr Part Months[] = {Part::Month, Part::Month2, Part::MonthAbbreviation,
                                      Part::MonthName};
    switch (letter) {
    case u'd':
        return Days[length - 1];
    case u'm':
        return length <= 4 ? std::optional(Months[length - 1]) : std::nullopt;
    case u'w':
        return length == 1 ? Part::Weekday : length == 2 ? std::optional(Part::Week) : std::nullopt;
    case u'q':
        return length == 1 ? std::optional(Part::Quarter) : std::nullopt;
    case u'y':
        return length == 1   ? std::optional(Part::DayOfYear)
               : length == 2 ? std::optional(Part::Year2)
               : length == 4 ? std::optional(Part::Year4)
                             : std::nullopt;
    case u'h':
        return length == 1 ? Part::Hour : length == 2 ? std::optional(Part::Hour2) : std::nullopt;
    case u'n':
        return length == 1   ? Part::Minute
               : length == 2 ? std::optional(Part::Minute2)
                             : std::nullopt;
    case u's':
        return length == 1   ? Part::Second
               : length == 2 ? std::optional(Part::Second2)
                             : std::nullopt;
    case u't':
        return length == 5 ? std::optional(Part::LongTime) : std::nullopt;
    case u'c':
        return length == 1 ? std::optional(Part::GeneralDate) : std::nullopt;
    default:
        return std::nullopt;
    }
}

bool DateMask::readAmPm(QStringView mask, qsizetype& at) {
    Token token{Part::AmPm, {}, {}};
    qsizetype length = 0;
    if (matchesAt(mask, at, QLatin1String("AM/PM"))) {
        token.text = mask.mid(at, 2).toUtf8();
        token.alternative = mask.mid(at + 3, 2).toUtf8();
        length = 5;
    } else if (matchesAt(mask, at, QLatin1String("A/P"))) {
        token.text = mask.mid(at, 1).toUtf8();
        token.alternative = mask.mid(at + 2, 1).toUtf8();
        length = 3;
    } else if (matchesAt(mask, at, QLatin1String("AMPM"))) {
        token.part = Part::RegionAmPm;
        length = 4;
    } else {
        return false;
    }
    tokens_.push_back(std::move(token));
    twelveHour_ = true;
    at += length;
    return true;
}

void DateMask::addLiteral(QStringView text) {
    if (text.isEmpty())
        return;
    if (tokens_.empty() || tokens_.back().part != Part::Literal)
        tokens_.push_back({Part::Literal, {}, {}});
    tokens_.back().text += text.toUtf8();
}

// "m" and "mm" next to an hour or seconds, with only literal text between, are minutes.
void DateMask::resolveMinutes() {
    const auto neighbour = [&](std::size_t from, int step) -> std::optional<Part> {
        for (auto i = std::ptrdiff_t(from) + step; i >= 0 && i < std::ptrdiff_t(tokens_.size());
             i += step) {
            if (tokens_[i].part != Part::Literal)
                return tokens_[i].part;
        }
        return std::nullopt;
    };
    for (std::size_t i = 0; i < tokens_.size(); ++i) {
        Part& part = tokens_[i].part;
        if (part != Part::Month && part != Part::Month2)
            continue;
        const auto before = neighbour(i, -1);
        const auto after = neighbour(i, +1);
        if (before == Part::Hour || before == Part::Hour2 || after == Part::Second ||
            after == Part::Second2)
            part = part == Part::Month ? Part::Minute : Part::Minute2;
    }
}

bool DateMask::showsDate() const {
    return std::any_of(tokens_.begin(), tokens_.end(),
                       [](const Token& token) { return token.part != Part::Literal; });
}

std::optional<QString> DateMask::alphabet() const {
    QString characters = QStringLiteral("0123456789");
    for (const Token& token : tokens_) {
        switch (token.part) {
        case Part::Literal:
        case Part::AmPm:
            characters += QString::fromUtf8(token.text + token.alternative);
            break;
        case Part::Day:
        case Part::Day2:
        case Part::Weekday:
        case Part::Week:
        case Part::Month:
        case Part::Month2:
        case Part::Quarter:
        case Part::DayOfYear:
        case Part::Year2:
        case Part::Year4:
        case Part::Hour:
        case Part::Hour2:
        case Part::Minute:
        case Part::Minute2:
        case Part::Second:
        case Part::Second2:
            break;
        default:
            return std::nullopt;
        }
    }
    return characters;
}

// Short results, the usual ones, stay within the string itself: a million dates formatted ask
// for no memory.
std::string DateMask::apply(const DateTimeParts& date, const RegionalSettings& regional) const {
    std::string out;
    for (const Token& token : tokens_)
        appendPart(out, token, date, regional);
    return out;
}

void DateMask::appendPart(std::string& out, const Token& token, const DateTimeParts& date,
                          const RegionalSettings& regional) const {
    const QLocale& locale = regional.locale();
    const int hour = twelveHour_ ? (date.hour % 12 == 0 ? 12 : date.hour % 12) : date.hour;
    switch (token.part) {
    case Part::Literal:
        append(out, token.text);
        break;
    case Part::Day:
    case Part::Day2:
        appendNumber(out, date.day, token.part == Part::Day2 ? 2 : 1);
        break;
    case Part::DayAbbreviation:
    case Part::DayName:
        append(out, regional.dayName(weekday(date), token.part == Part::DayAbbreviation));
        break;
    case Part::ShortDate:
        append(out, locale.toString(qDate(date), regional.shortDateFormat()).toUtf8());
        break;
    case Part::LongDate:
        append(out, locale.toString(qDate(date), regional.longDateFormat()).toUtf8());
        break;
    case Part::Weekday:
        appendNumber(out, weekday(date) + 1, 1);
        break;
    case Part::Week:
        appendNumber(out, weekOfYear(date), 1);
        break;
    case Part::Month:
    case Part::Month2:
        appendNumber(out, date.month, token.part == Part::Month2 ? 2 : 1);
        break;
    case Part::MonthAbbreviation:
    case Part::MonthName:
        append(out, regional.monthName(date.month, token.part == Part::MonthAbbreviation));
        break;
    case Part::Quarter:
        appendNumber(out, (date.month - 1) / 3 + 1, 1);
        break;
    case Part::DayOfYear:
        appendNumber(out, dayOfYear(date), 1);
        break;
    case Part::Year2:
        appendNumber(out, date.year % 100, 2);
        break;
    case Part::Year4:
        appendNumber(out, date.year, 1);
        break;
    case Part::Hour:
    case Part::Hour2:
        appendNumber(out, hour, token.part == Part::Hour2 ? 2 : 1);
        break;
    case Part::Minute:
    case Part::Minute2:
        appendNumber(out, date.minute, token.part == Part::Minute2 ? 2 : 1);
        break;
    case Part::Second:
    case Part::Second2:
        appendNumber(out, date.second, token.part == Part::Second2 ? 2 : 1);
        break;
    case Part::LongTime:
        append(out, locale.toString(qTime(date), regional.longTimeFormat()).toUtf8());
        break;
    case Part::GeneralDate: {
        // The date unless it is day zero with a time, the time unless it is midnight.
        const bool hasTime = date.hour != 0 || date.minute != 0 || date.second != 0;
        const bool hasDate =
            !hasTime || date != DateTimeParts{1899, 12, 30, date.hour, date.minute, date.second};
        if (hasDate)
            append(out, locale.toString(qDate(date), regional.shortDateFormat()).toUtf8());
        if (hasDate && hasTime)
            out += ' ';
        if (hasTime)
            append(out, locale.toString(qTime(date), regional.longTimeFormat()).toUtf8());
        break;
    }
    case Part::AmPm:
        append(out, date.hour < 12 ? token.text : token.alternative);
        break;
    case Part::RegionAmPm:
        append(out, (date.hour < 12 ? locale.amText() : locale.pmText()).toUtf8());
        break;
    }
}

} // namespace data::jet::vb
