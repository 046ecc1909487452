#pragma once

#include <QLocale>
#include <QString>
#include <optional>

// Numbers as text the way VB writes and reads them, for CStr, the & operator and conversions of
// text to numbers.
namespace data {

// Up to 15 significant digits, an exponent only from 1E+15 up and below 1E-4 ("1E-05"), and the
// region's decimal point: 0.1 + 0.2 is "0.3", 1/3 is "0.333333333333333". A Single holds about 7
// digits, which VB writes with that many (and an exponent from 1E+7 up): 0.15 stored as a Single
// is "0.15" rather than "0.150000005960464".
QString numberText(double value, const QString& decimalPoint, int significantDigits = 15);

// The region's way first, then with '.' for the decimal point, blanks around allowed. Nothing for
// text that is no finite number.
std::optional<double> readNumber(const QString& text, const QLocale& locale);

} // namespace data
