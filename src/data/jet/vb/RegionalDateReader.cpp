#include "data/jet/vb/RegionalDateReader.h"

#include "data/RegionalFormats.h"

#include <QDate>
#include <QRegularExpression>
#include <QTime>
#include <algorithm>

namespace data::jet::vb {

namespace {

// Two-digit years as VB reads them: 00 to 29 are 2000 to 2029, 30 to 99 are 1930 to 1999.
// Qt reads them all as 19xx.
constexpr int TwoDigitYearPivot = 1930;

// Lets "dd", "MM", "HH", "hh", "mm" and "ss" take one digit as well, and drops the time zone,
// since people type "4.3.2001 9:05" to a form that prints "04.03.2001 09:05:00 CET".
QString relaxed(const QString& format) {
    QString out;
    for (qsizetype i = 0; i < format.size();) {
        const QChar c = format.at(i);
        qsizetype run = 1;
        while (i + run < format.size() && format.at(i + run) == c)
            ++run;
        if (c == u'\'') {
            const qsizetype end = format.indexOf(u'\'', i + 1);
            const qsizetype stop = end < 0 ? format.size() : end + 1;
            out += format.mid(i, stop - i);
            i = stop;
            continue;
        }
        if (run == 2 && QStringView(u"dMHhms").contains(c))
            out += c;
        else if (c != u't')
            out += format.mid(i, run);
        i += run;
    }
    return out.simplified();
}

void addOnce(std::vector<QString>& list, const QString& item) {
    if (std::find(list.begin(), list.end(), item) == list.end())
        list.push_back(item);
}

std::vector<QString> dateFormatsOf(const QLocale& locale) {
    static const QRegularExpression weekdayName(QStringLiteral("d{3,4}[,.]?\\s*"));
    std::vector<QString> formats;
    const QString shortFormat = relaxed(locale.dateFormat(QLocale::ShortFormat));
    addOnce(formats, withFourDigitYear(shortFormat));
    addOnce(formats, shortFormat);
    const QString longFormat = relaxed(locale.dateFormat(QLocale::LongFormat));
    addOnce(formats, longFormat);
    addOnce(formats, QString(longFormat).remove(weekdayName).simplified());
    addOnce(formats, QStringLiteral("yyyy/M/d"));
    return formats;
}

std::vector<QString> timeFormatsOf(const QLocale& locale) {
    std::vector<QString> formats;
    addOnce(formats, relaxed(locale.timeFormat(QLocale::LongFormat)));
    addOnce(formats, relaxed(locale.timeFormat(QLocale::ShortFormat)));
    addOnce(formats, QStringLiteral("H:m:s"));
    addOnce(formats, QStringLiteral("H:m"));
    return formats;
}

bool hasDigit(const QString& text) {
    return std::any_of(text.begin(), text.end(), [](QChar c) { return c.isDigit(); });
}

} // namespace

RegionalDateReader::RegionalDateReader(const QLocale& locale)
    : locale_(locale), timeFormats_(timeFormatsOf(locale)) {
    for (const QString& format : dateFormatsOf(locale))
        dateFormats_.push_back({format, hasTwoDigitYear(format)});
}

std::optional<DateTimeParts> RegionalDateReader::read(const QString& text) const {
    const QString normalized = text.simplified();
    if (!hasDigit(normalized))
        return std::nullopt;
    if (!normalized.contains(u':'))
        return readDate(normalized);
    if (auto time = readTime(normalized))
        return time;
    return readDateAndTime(normalized);
}

std::optional<DateTimeParts> RegionalDateReader::readDate(const QString& text) const {
    for (const DateFormat& format : dateFormats_) {
        const QDate date = locale_.toDate(text, format.format);
        if (!date.isValid())
            continue;
        DateTimeParts parts;
        parts.year = date.year();
        parts.month = date.month();
        parts.day = date.day();
        if (format.twoDigitYear && parts.year < TwoDigitYearPivot)
            parts.year += 100;
        if (isValid(parts))
            return parts;
    }
    return std::nullopt;
}

std::optional<DateTimeParts> RegionalDateReader::readTime(const QString& text) const {
    for (const QString& format : timeFormats_) {
        const QTime time = locale_.toTime(text, format);
        if (time.isValid()) {
            DateTimeParts parts;
            parts.hour = time.hour();
            parts.minute = time.minute();
            parts.second = time.second();
            return parts;
        }
    }
    return std::nullopt;
}

// The date and the time are read apart, trying each blank as the place they meet: a date and
// time read together would be lost when the time falls into the hour a clock skips in spring.
std::optional<DateTimeParts> RegionalDateReader::readDateAndTime(const QString& text) const {
    for (qsizetype blank = text.indexOf(u' '); blank > 0; blank = text.indexOf(u' ', blank + 1)) {
        const auto time = readTime(text.mid(blank + 1));
        if (!time)
            continue;
        if (auto date = readDate(text.left(blank))) {
            date->hour = time->hour;
            date->minute = time->minute;
            date->second = time->second;
            return date;
        }
    }
    return std::nullopt;
}

} // namespace data::jet::vb
