#pragma once

#include <QDateTime>

namespace data {

// A date and time as a source stores it, without a time zone: Qt::LocalTime with exactly the
// given fields, so nothing shifts them. A time that does not exist locally, inside the hour a
// clock skips in spring, comes as Qt::UTC with the same fields, since a local one would be
// invalid.
QDateTime wallClock(QDate date, QTime time);

} // namespace data
