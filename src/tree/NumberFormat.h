#pragma once

#include <QLocale>
#include <QString>
#include <QVariant>

// Counts and statistics in tree labels: the region's digit grouping, decimal separator, leading
// zero and way of writing negative numbers.
namespace tree {

// How negative numbers are written: with the region's minus sign in front, or between
// parentheses, "(1,234.50)", which some regions prefer for amounts.
enum class NegativeStyle { Sign, Parentheses };

// The regional settings that labels are written with.
struct Regional {
    QLocale locale = QLocale();
    NegativeStyle negative = NegativeStyle::Sign;
};

// The value rounded to `decimals` places and written with the locale's grouping and separator;
// a null value (a statistic over no values) is "". Counts use 0 decimals, statistics 2.
QString FormatNumber(const QVariant& value, int decimals, const QLocale& locale = QLocale(),
                     NegativeStyle negative = NegativeStyle::Sign);

} // namespace tree
