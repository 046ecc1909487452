#pragma once

#include <QLocale>
#include <QString>
#include <QVariant>

namespace data {

// A field's value as the program writes it wherever a value is shown, in grid cells and tree
// labels alike, following the regional settings given (by default the program's locale, so that
// QLocale::setDefault reaches it):
// - Null is empty; text stays as it is.
// - Booleans are "True" and "False" in every region.
// - Whole numbers are plain decimals without digit grouping.
// - Other numbers have up to 15 significant digits (a Single up to 7, Currency up to four
//   decimals), the region's decimal separator and no digit grouping; only very large and very
//   small magnitudes take an exponent ("1E-07").
// - Dates are the region's short date with a four-digit year, then, unless it is midnight, a
//   blank and the region's time with seconds. A time on day zero (30 Dec 1899) or a value of
//   type adDBTime is the time alone.
// - Bytes (and binary type codes whose value is no text) are a placeholder naming their size,
//   "<Binary: 1,234 bytes>", never the bytes themselves.
QString valueText(const QVariant& value, int adoType, const QLocale& locale = QLocale());
// The same with the locale's decimal separator at hand, for callers that write many values.
QString valueText(const QVariant& value, int adoType, const QLocale& locale,
                  const QString& decimalPoint);

// Whether the value, or any value of the type, is a number, which lists and grids align to the
// right. Booleans and dates are not.
bool showsAsNumber(const QVariant& value, int adoType);

} // namespace data
