#include "data/RegionalFormats.h"

namespace data {

bool hasTwoDigitYear(const QString& dateFormat) {
    return dateFormat.contains(QLatin1String("yy")) && !dateFormat.contains(QLatin1String("yyyy"));
}

QString withFourDigitYear(QString dateFormat) {
    if (hasTwoDigitYear(dateFormat))
        dateFormat.replace(QLatin1String("yy"), QLatin1String("yyyy"));
    return dateFormat;
}

QString withoutTimeZone(QString timeFormat) {
    return timeFormat.remove(u't').simplified();
}

} // namespace data
