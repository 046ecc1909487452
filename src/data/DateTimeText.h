#pragma once

#include <QDate>
#include <QLocale>
#include <QString>
#include <QTime>
#include <vector>

namespace data {

// Dates and times as the program shows values: the region's short date with a four-digit year,
// then, unless it is midnight, a blank and the region's long time without its time zone; a time
// on day zero (30 Dec 1899), which is how Access keeps a time alone, or any value of type
// adDBTime, is the time alone. The text is QLocale::toString's for those formats.
//
// The region's formats are read into their parts once, so that writing a value is a matter of
// appending numbers and names; QLocale::toString reads its format again for every value, which
// costs several times as much when a million values are written.
class DateTimeText {
public:
    explicit DateTimeText(const QLocale& locale);

    // The writer of the region, made by the first call for it on this thread and kept until a
    // call for another region.
    static const DateTimeText& of(const QLocale& locale);

    QString text(QDate date, QTime time, int adoType) const;
    QString time(QTime time) const;

private:
    // A Qt date or time format read into its parts; a format with parts this does not write
    // (time zones, milliseconds) or a region with digits other than 0 to 9 is written by
    // QLocale::toString instead.
    class Format {
    public:
        Format(const QString& format, const QLocale& locale, bool ofTime);
        void append(QString& out, QDate date, QTime time) const;

    private:
        enum class Kind { Literal, Number, Name, AmPm };
        // A number (d M y h H m s, `width` its least digits), a day or month name (d or M,
        // `width` 3 for the short name and 4 for the long one), the morning or afternoon marker
        // (a in small letters, A in capitals), or literal text.
        struct Part {
            Kind kind = Kind::Literal;
            char16_t letter = 0;
            int width = 0;
            QString literal = {};
        };
        struct Day {
            int year = 0, month = 0, day = 0;
        };
        bool read(const QString& format, bool ofTime);
        int numberOf(const Part& part, const Day& day, QTime time) const;

        QLocale locale_;
        QString format_;
        bool ofTime_;
        bool twelveHours_ = false;
        bool read_ = false;
        std::vector<Part> parts_;
    };

    QLocale locale_;
    Format date_;
    Format time_;
};

} // namespace data
