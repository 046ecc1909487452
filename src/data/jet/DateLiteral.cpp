#include "data/jet/DateLiteral.h"

#include <QDate>
#include <QRegularExpression>
#include <QTime>

namespace data::jet {

std::optional<QString> dateLiteralValue(const QString& body) {
    static const QString timePart = QStringLiteral(R"((?:\s+(\d{1,2}):(\d{1,2})(?::(\d{1,2}))?)?)");
    static const QRegularExpression isoDate(QStringLiteral(R"(^\s*(\d{4})-(\d{1,2})-(\d{1,2}))") +
                                            timePart + QStringLiteral(R"(\s*$)"));
    static const QRegularExpression usDate(
        QStringLiteral(R"(^\s*(\d{1,2})/(\d{1,2})/(\d{4}|\d{2}))") + timePart +
        QStringLiteral(R"(\s*$)"));

    int year = 0, month = 0, day = 0;
    QRegularExpressionMatch match = isoDate.match(body);
    if (match.hasMatch()) {
        year = match.captured(1).toInt();
        month = match.captured(2).toInt();
        day = match.captured(3).toInt();
    } else {
        match = usDate.match(body);
        if (!match.hasMatch())
            return std::nullopt;
        month = match.captured(1).toInt();
        day = match.captured(2).toInt();
        year = match.captured(3).toInt();
        // Two digits name a year of 1930 to 2029, as Jet reads them.
        if (match.captured(3).size() == 2)
            year += year < 30 ? 2000 : 1900;
    }
    // Missing time parts read as zero.
    const int hour = match.captured(4).toInt();
    const int minute = match.captured(5).toInt();
    const int second = match.captured(6).toInt();
    if (!QDate(year, month, day).isValid() || !QTime(hour, minute, second).isValid())
        return std::nullopt;
    return QString::asprintf("%04d-%02d-%02d %02d:%02d:%02d", year, month, day, hour, minute,
                             second);
}

} // namespace data::jet
