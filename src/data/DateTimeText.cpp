#include "data/DateTimeText.h"

#include "data/AdoTypes.h"
#include "data/RegionalFormats.h"

#include <algorithm>
#include <optional>

namespace data {

namespace {

// Access keeps a time of day without a date as that time on day zero.
const QDate DayZero(1899, 12, 30);

void appendNumber(QString& out, int value, int width) {
    char digits[12];
    int n = 0;
    do {
        digits[n++] = char('0' + value % 10);
        value /= 10;
    } while (value > 0);
    for (int pad = n; pad < width; ++pad)
        out += u'0';
    while (n > 0)
        out += QLatin1Char(digits[--n]);
}

qsizetype repeatCount(const QString& format, qsizetype from) {
    qsizetype end = from;
    while (end < format.size() && format[end] == format[from])
        ++end;
    return end - from;
}

// Text between apostrophes, where two apostrophes stand for one, as Qt reads it; `at` is
// the opening apostrophe and is moved past the closing one.
QString quoted(const QString& format, qsizetype& at) {
    ++at;
    if (at < format.size() && format[at] == u'\'') {
        ++at;
        return QStringLiteral("'");
    }
    QString text;
    while (at < format.size()) {
        if (format[at] == u'\'') {
            if (at + 1 < format.size() && format[at + 1] == u'\'') {
                text += u'\'';
                at += 2;
                continue;
            }
            ++at;
            break;
        }
        text += format[at++];
    }
    return text;
}

// Whether hours are written on the twelve-hour clock: an a or A outside quotes.
bool hasAmPm(const QString& format) {
    for (qsizetype at = 0; at < format.size();) {
        if (format[at] == u'\'') {
            quoted(format, at);
            continue;
        }
        if (format[at] == u'a' || format[at] == u'A')
            return true;
        ++at;
    }
    return false;
}

} // namespace

DateTimeText::Format::Format(const QString& format, const QLocale& locale, bool ofTime)
    : locale_(locale), format_(format), ofTime_(ofTime) {
    read_ = locale.zeroDigit() == QLatin1String("0") && read(format, ofTime);
}

bool DateTimeText::Format::read(const QString& format, bool ofTime) {
    twelveHours_ = ofTime && hasAmPm(format);
    for (qsizetype at = 0; at < format.size();) {
        if (format[at] == u'\'') {
            parts_.push_back({Kind::Literal, 0, 0, quoted(format, at)});
            continue;
        }
        const char16_t letter = format[at].unicode();
        const int repeat = int(std::min<qsizetype>(repeatCount(format, at), 4));
        Part part{Kind::Literal, letter, repeat};
        if (!ofTime && (letter == u'd' || letter == u'M')) {
            part.kind = repeat <= 2 ? Kind::Number : Kind::Name;
        } else if (!ofTime && letter == u'y' && repeat >= 2) {
            part = {Kind::Number, letter, repeat == 4 ? 4 : 2};
        } else if (ofTime && QStringView(u"hHms").contains(QChar(letter))) {
            part = {Kind::Number, letter, std::min(repeat, 2)};
        } else if (ofTime && (letter == u'a' || letter == u'A')) {
            const char16_t p = letter == u'a' ? u'p' : u'P'; // "ap" and "AP" are one marker
            part = {Kind::AmPm, letter, at + 1 < format.size() && format[at + 1] == p ? 2 : 1};
        } else if (ofTime && (letter == u'z' || letter == u't')) {
            return false;
        } else {
            // Any other character shows as it is, as does a y standing alone.
            part.width = letter == u'y' ? 1 : int(repeatCount(format, at));
            part.literal = QString(part.width, QChar(letter));
        }
        parts_.push_back(part);
        at += part.width;
    }
    return true;
}

void DateTimeText::Format::append(QString& out, QDate date, QTime time) const {
    if (!read_) {
        out += ofTime_ ? locale_.toString(time, format_) : locale_.toString(date, format_);
        return;
    }
    Day day; // the calendar's fields, worked out of the date once
    if (!ofTime_)
        date.getDate(&day.year, &day.month, &day.day);
    for (const Part& part : parts_) {
        switch (part.kind) {
        case Kind::Literal:
            out += part.literal;
            break;
        case Kind::Name: {
            const auto length = part.width == 4 ? QLocale::LongFormat : QLocale::ShortFormat;
            out += part.letter == u'd' ? locale_.dayName(date.dayOfWeek(), length)
                                       : locale_.monthName(day.month, length);
            break;
        }
        case Kind::AmPm: {
            const QString marker = time.hour() < 12 ? locale_.amText() : locale_.pmText();
            out += part.letter == u'A' ? marker.toUpper() : marker.toLower();
            break;
        }
        case Kind::Number:
            appendNumber(out, numberOf(part, day, time), part.width);
            break;
        }
    }
}

int DateTimeText::Format::numberOf(const Part& part, const Day& day, QTime time) const {
    switch (part.letter) {
    case u'd':
        return day.day;
    case u'M':
        return day.month;
    case u'y':
        return part.width == 2 ? day.year % 100 : day.year;
    case u'h':
        if (twelveHours_)
            return time.hour() % 12 == 0 ? 12 : time.hour() % 12;
        return time.hour();
    case u'H':
        return time.hour();
    case u'm':
        return time.minute();
    default:
        return time.second();
    }
}

DateTimeText::DateTimeText(const QLocale& locale)
    : locale_(locale),
      date_(withFourDigitYear(locale.dateFormat(QLocale::ShortFormat)), locale, false),
      time_(withoutTimeZone(locale.timeFormat(QLocale::LongFormat)), locale, true) {}

const DateTimeText& DateTimeText::of(const QLocale& locale) {
    thread_local std::optional<DateTimeText> last;
    if (!last || last->locale_ != locale)
        last.emplace(locale);
    return *last;
}

QString DateTimeText::text(QDate date, QTime time, int adoType) const {
    const bool hasTime = time.isValid() && time != QTime(0, 0);
    if (adoType == ado::adDBTime || (hasTime && date == DayZero))
        return this->time(time);
    QString out;
    date_.append(out, date, time);
    if (hasTime) {
        out += u' ';
        time_.append(out, date, time);
    }
    return out;
}

QString DateTimeText::time(QTime time) const {
    QString out;
    time_.append(out, {}, time);
    return out;
}

} // namespace data
