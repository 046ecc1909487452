#include "data/jet/vb/RegionalSettings.h"

#include "data/RegionalFormats.h"

namespace data::jet::vb {

RegionalSettings::RegionalSettings(const QLocale& locale)
    : locale_(locale), decimalPoint_(locale.decimalPoint()),
      groupSeparator_(locale.groupSeparator()),
      shortDateFormat_(locale.dateFormat(QLocale::ShortFormat)),
      longDateFormat_(locale.dateFormat(QLocale::LongFormat)),
      longTimeFormat_(withoutTimeZone(locale.timeFormat(QLocale::LongFormat))), dates_(locale) {
    for (int month = 1; month <= 12; ++month) {
        monthNames_[month - 1] = locale.monthName(month, QLocale::LongFormat).toUtf8();
        shortMonthNames_[month - 1] = locale.monthName(month, QLocale::ShortFormat).toUtf8();
    }
    // Qt counts weekdays from Monday (1) to Sunday (7).
    for (int day = 0; day < 7; ++day) {
        const int qtDay = day == 0 ? 7 : day;
        dayNames_[day] = locale.dayName(qtDay, QLocale::LongFormat).toUtf8();
        shortDayNames_[day] = locale.dayName(qtDay, QLocale::ShortFormat).toUtf8();
    }
}

const QByteArray& RegionalSettings::monthName(int month, bool abbreviated) const {
    return (abbreviated ? shortMonthNames_ : monthNames_)[month - 1];
}

const QByteArray& RegionalSettings::dayName(int weekday, bool abbreviated) const {
    return (abbreviated ? shortDayNames_ : dayNames_)[weekday];
}

} // namespace data::jet::vb
