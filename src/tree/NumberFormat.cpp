#include "tree/NumberFormat.h"

#include "data/VariantKinds.h"

#include <cmath>

namespace tree {

namespace {

bool isWholeNumber(const QVariant& value) {
    return data::isWholeNumber(value.typeId());
}

bool isUnsigned(const QVariant& value) {
    return data::isUnsignedWide(value.typeId());
}

// The magnitude's digits, grouped, with the decimals; the caller writes the sign.
QString magnitudeText(const QVariant& value, int decimals, const QLocale& locale) {
    if (!isWholeNumber(value))
        return locale.toString(std::fabs(value.toDouble()), 'f', decimals);
    // Whole numbers keep every digit, even beyond what a double holds.
    qulonglong magnitude = value.toULongLong();
    if (!isUnsigned(value)) {
        const qlonglong signedValue = value.toLongLong();
        magnitude = signedValue < 0 ? 0 - qulonglong(signedValue) : qulonglong(signedValue);
    }
    QString digits = locale.toString(magnitude);
    if (decimals > 0)
        digits += locale.decimalPoint() + QString(decimals, locale.zeroDigit().at(0));
    return digits;
}

bool isNegative(const QVariant& value, int decimals) {
    if (isWholeNumber(value))
        return !isUnsigned(value) && value.toLongLong() < 0;
    // A value that rounds to zero shows no sign.
    const double scale = std::pow(10.0, decimals);
    return std::round(value.toDouble() * scale) < 0;
}

} // namespace

QString FormatNumber(const QVariant& value, int decimals, const QLocale& locale,
                     NegativeStyle negative) {
    if (value.isNull() || !value.isValid())
        return QString();
    const bool below = isNegative(value, decimals);
    const QString digits = magnitudeText(value, decimals, locale);
    if (!below)
        return digits;
    if (negative == NegativeStyle::Parentheses)
        return '(' + digits + ')';
    return locale.negativeSign() + digits;
}

} // namespace tree
