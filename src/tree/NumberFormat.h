#pragma once

#include "tree/NumberStyle.h"

#include <QLocale>
#include <QString>
#include <QVariant>

// Counts and statistics in tree labels: the region's digit grouping, decimal separator, leading
// zero and way of writing negative numbers.
namespace tree {

// How negative numbers are written: with the region's minus sign in front, or between
// parentheses, "(1,234.50)", which some regions prefer for amounts.
enum class NegativeStyle { Sign, Parentheses };

// The regional settings that labels are written with. The digits' style is read from the locale
// when the settings are made; change the locale only by making new settings.
struct Regional {
    QLocale locale = QLocale();
    NegativeStyle negative = NegativeStyle::Sign;
    NumberStyle digits = NumberStyle(locale);
};

// The value rounded to `decimals` places and written with the locale's grouping and separator;
// a null value (a statistic over no values) is "". Counts use 0 decimals, statistics 2.
void appendNumber(QString& text, const QVariant& value, int decimals, const NumberStyle& digits,
                  NegativeStyle negative = NegativeStyle::Sign);
QString FormatNumber(const QVariant& value, int decimals, const NumberStyle& digits,
                     NegativeStyle negative = NegativeStyle::Sign);
QString FormatNumber(const QVariant& value, int decimals, const QLocale& locale = QLocale(),
                     NegativeStyle negative = NegativeStyle::Sign);

} // namespace tree
