#pragma once

#include <QString>

// Adjustments of the region's Qt date and time formats that several readers and writers of
// dates make alike.
namespace data {

// Whether a date format writes the year with two digits only ("M/d/yy").
bool hasTwoDigitYear(const QString& dateFormat);

// The date format with a four-digit year: "M/d/yy" becomes "M/d/yyyy"; others stay as they are.
QString withFourDigitYear(QString dateFormat);

// The time format without its time zone: "h:mm:ss AP t" becomes "h:mm:ss AP".
QString withoutTimeZone(QString timeFormat);

} // namespace data
