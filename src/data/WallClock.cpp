#include "data/WallClock.h"

namespace data {

QDateTime wallClock(QDate date, QTime time) {
    QDateTime local(date, time, Qt::LocalTime);
    return local.isValid() ? local : QDateTime(date, time, Qt::UTC);
}

} // namespace data
