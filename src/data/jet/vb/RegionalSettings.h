#pragma once

#include "data/jet/vb/RegionalDateReader.h"

#include <QByteArray>
#include <QLocale>
#include <QString>
#include <array>

// The regional conventions the VB functions follow: the decimal point of numbers written as
// text, the names of months and weekdays, the date formats CDate reads. They are taken once, when
// the engine opens, so that a function gives the same answer for the same arguments throughout.
namespace data::jet::vb {

class RegionalSettings {
public:
    explicit RegionalSettings(const QLocale& locale);

    const QLocale& locale() const { return locale_; }
    const QString& decimalPoint() const { return decimalPoint_; }
    const QString& groupSeparator() const { return groupSeparator_; }

    // UTF-8 names; month 1 to 12, weekday 0 (Sunday) to 6.
    const QByteArray& monthName(int month, bool abbreviated) const;
    const QByteArray& dayName(int weekday, bool abbreviated) const;

    // Qt date and time formats of the region: the short and long date, and the long time without
    // a time zone.
    const QString& shortDateFormat() const { return shortDateFormat_; }
    const QString& longDateFormat() const { return longDateFormat_; }
    const QString& longTimeFormat() const { return longTimeFormat_; }

    std::optional<DateTimeParts> readDate(const QString& text) const { return dates_.read(text); }

private:
    QLocale locale_;
    QString decimalPoint_;
    QString groupSeparator_;
    std::array<QByteArray, 12> monthNames_;
    std::array<QByteArray, 12> shortMonthNames_;
    std::array<QByteArray, 7> dayNames_;
    std::array<QByteArray, 7> shortDayNames_;
    QString shortDateFormat_;
    QString longDateFormat_;
    QString longTimeFormat_;
    RegionalDateReader dates_;
};

} // namespace data::jet::vb
