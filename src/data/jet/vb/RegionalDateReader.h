#pragma once

#include "data/jet/CalendarDate.h"

#include <QLocale>
#include <QString>
#include <optional>
#include <vector>

// Reads dates and times written the way the user's region writes them, as CDate does: the
// locale's short and long date formats, with or without a time, and a time alone (which falls on
// VB's day zero, 1899-12-30).
namespace data::jet::vb {

class RegionalDateReader {
public:
    explicit RegionalDateReader(const QLocale& locale);

    std::optional<DateTimeParts> read(const QString& text) const;

private:
    struct DateFormat {
        QString format;
        bool twoDigitYear = false;
    };

    std::optional<DateTimeParts> readDate(const QString& text) const;
    std::optional<DateTimeParts> readTime(const QString& text) const;
    std::optional<DateTimeParts> readDateAndTime(const QString& text) const;

    QLocale locale_;
    std::vector<DateFormat> dateFormats_;
    std::vector<QString> timeFormats_;
};

} // namespace data::jet::vb
