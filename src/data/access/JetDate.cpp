#include "data/access/JetDate.h"

#include <QDate>
#include <cmath>

namespace data::access {

namespace {
constexpr double SecondsPerDay = 86400.0;
constexpr int FirstYear = 100;
constexpr int LastYear = 9999;
// Further from the epoch than any day in Jet's range, yet small enough to convert safely.
constexpr double DayLimit = 4.0e6;
} // namespace

std::optional<DateTimeParts> jetDateTime(double value) {
    if (!std::isfinite(value))
        return std::nullopt;
    const double wholeDays = std::trunc(value);
    if (std::fabs(wholeDays) > DayLimit)
        return std::nullopt;
    auto days = static_cast<qint64>(wholeDays);
    auto seconds = std::llround(std::fabs(value - wholeDays) * SecondsPerDay);
    if (seconds >= static_cast<long long>(SecondsPerDay)) {
        seconds -= static_cast<long long>(SecondsPerDay);
        ++days;
    }
    const QDate date = QDate(1899, 12, 30).addDays(days);
    if (!date.isValid() || date.year() < FirstYear || date.year() > LastYear)
        return std::nullopt;
    return DateTimeParts{date.year(),
                         date.month(),
                         date.day(),
                         static_cast<int>(seconds / 3600),
                         static_cast<int>(seconds / 60 % 60),
                         static_cast<int>(seconds % 60)};
}

} // namespace data::access
