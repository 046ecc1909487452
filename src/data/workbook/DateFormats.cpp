#include "data/workbook/DateFormats.h"

namespace data::workbook {

namespace {

// The built-in formats Excel numbers 14 to 22 and 45 to 47, and those of East Asian versions
// from 27 to 36 and 50 to 58.
bool isBuiltInDateFormat(int index) {
    return (index >= 14 && index <= 22) || (index >= 27 && index <= 36) ||
           (index >= 45 && index <= 47) || (index >= 50 && index <= 58);
}

// What the format writes out of the number, without literal text ("..." or a character after
// a backslash), padding and fill characters (after _ and *), and bracketed colours, conditions
// and currencies; elapsed times ([h], [mm], [ss]) stay.
QString placeholders(const QString& format) {
    QString kept;
    for (qsizetype i = 0; i < format.size(); ++i) {
        const QChar c = format[i];
        if (c == u'"') {
            i = format.indexOf(u'"', i + 1);
            if (i < 0)
                break;
        } else if (c == u'\\' || c == u'_' || c == u'*') {
            ++i;
        } else if (c == u'[') {
            const qsizetype close = format.indexOf(u']', i);
            if (close < 0)
                break;
            const QString inside = format.mid(i + 1, close - i - 1).toLower();
            if (!inside.isEmpty() && inside.count(inside[0]) == inside.size() &&
                QStringLiteral("hms").contains(inside[0]))
                kept += inside;
            i = close;
        } else {
            kept += c;
        }
    }
    return kept;
}

} // namespace

bool isDateFormat(int formatIndex, const QString& formatText) {
    if (isBuiltInDateFormat(formatIndex))
        return true;
    const QString kept = placeholders(formatText).toLower();
    for (const QChar c : kept)
        if (QStringLiteral("dmyhs").contains(c))
            return true;
    return false;
}

// Excel counts days from 1900-01-01 as day 1 and counts a 29 February 1900 that never was, or
// (in the 1904 system) from 1904-01-01 as day 0; the engine counts from 1899-12-30 as day 0. A
// time alone (less than one day) falls on the engine's day zero.
CellValue dateOfSerial(double value, bool dates1904) {
    constexpr double DaysFrom1900To1904 = 1462;
    constexpr double FalseLeapDay = 60;
    const bool beforeFalseLeapDay = value >= 1 && value < FalseLeapDay;
    const double serial = dates1904            ? value + DaysFrom1900To1904
                          : beforeFalseLeapDay ? value + 1
                                               : value;
    if (const auto date = jet::fromSerialDate(serial))
        return *date;
    return value;
}

} // namespace data::workbook
