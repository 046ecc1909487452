#pragma once

#include "data/jet/CalendarDate.h"

#include <QByteArray>
#include <QStringView>
#include <optional>
#include <string>
#include <vector>

// A Format mask for dates and times, read once and applied to many values.
//
// The letters are those of VB, in either case: d dd ddd dddd ddddd dddddd, w ww, m mm mmm mmmm,
// q, y yy yyyy, h hh, n nn, s ss, ttttt, c, AM/PM, A/P and AMPM. "m" and "mm" show minutes rather
// than the month right after an hour or right before seconds ("hh:mm", "mm:ss"). "ww" counts weeks
// from Sunday, week 1 holding January 1. A backslash shows the next character as it is, so does
// text in double quotes; every other character, such as / : - and the blank, shows as it is.
namespace data::jet::vb {

class RegionalSettings;

class DateMask {
public:
    explicit DateMask(QStringView mask);

    // Whether any part of a date or time shows, rather than literal text only.
    bool showsDate() const;
    // Every character the mask can write, when the mask alone tells: the digits of its numbers
    // and its own text (literals, AM/PM markers). Nothing when a part writes names or follows the
    // region (month and day names, "ddddd", "ttttt", "c", "AMPM").
    std::optional<QString> alphabet() const;
    // UTF-8 text.
    std::string apply(const DateTimeParts& date, const RegionalSettings& regional) const;

    // The dates from `from` up to, not including, `until` (no end when absent).
    struct Span {
        DateTimeParts from;
        std::optional<DateTimeParts> until;
    };
    // The span that holds every date this mask writes as `text` (letter case aside), as far as
    // the numbers the text begins with tell: "yyyy\/mm" and "2001/03" give March 2001,
    // "yyyy\/\Qq" and "2001/Q3" July to September. Nothing when the text does not tell the
    // year. Read in DateMaskSpan.cpp.
    std::optional<Span> span(QStringView text) const;

private:
    enum class Part {
        Literal,
        Day,
        Day2,
        DayAbbreviation,
        DayName,
        ShortDate,
        LongDate,
        Weekday,
        Week,
        Month,
        Month2,
        MonthAbbreviation,
        MonthName,
        Quarter,
        DayOfYear,
        Year2,
        Year4,
        Hour,
        Hour2,
        Minute,
        Minute2,
        Second,
        Second2,
        LongTime,
        GeneralDate,
        AmPm,       // the mask's own spelling of the two markers ("AM/PM", "a/p")
        RegionAmPm, // the region's markers
    };
    struct Token {
        Part part = Part::Literal;
        QByteArray text;        // a literal, or the morning marker
        QByteArray alternative; // the afternoon marker
    };

    static std::optional<Part> partFor(char16_t letter, qsizetype length);
    bool readAmPm(QStringView mask, qsizetype& at);
    void addLiteral(QStringView text);
    void resolveMinutes();
    void appendPart(std::string& out, const Token& token, const DateTimeParts& date,
                    const RegionalSettings& regional) const;

    std::vector<Token> tokens_;
    bool twelveHour_ = false;
};

} // namespace data::jet::vb
