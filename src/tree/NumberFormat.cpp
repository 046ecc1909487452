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

// Appends the magnitude's digits, grouped, with the decimals; the caller writes the sign.
void appendMagnitude(QString& text, const QVariant& value, int decimals,
                     const NumberStyle& digits) {
    if (!isWholeNumber(value)) {
        digits.appendFixed(text, std::fabs(value.toDouble()), decimals);
        return;
    }
    // Whole numbers keep every digit, even beyond what a double holds.
    qulonglong magnitude = value.toULongLong();
    if (!isUnsigned(value)) {
        const qlonglong signedValue = value.toLongLong();
        magnitude = signedValue < 0 ? 0 - qulonglong(signedValue) : qulonglong(signedValue);
    }
    digits.appendWhole(text, magnitude);
    digits.appendZeroDecimals(text, decimals);
}

bool isNegative(const QVariant& value, int decimals) {
    if (isWholeNumber(value))
        return !isUnsigned(value) && value.toLongLong() < 0;
    // A value that rounds to zero shows no sign.
    const double scale = std::pow(10.0, decimals);
    return std::round(value.toDouble() * scale) < 0;
}

} // namespace

void appendNumber(QString& text, const QVariant& value, int decimals, const NumberStyle& digits,
                  NegativeStyle negative) {
    if (value.isNull() || !value.isValid())
        return;
    const bool below = isNegative(value, decimals);
    if (below)
        text += negative == NegativeStyle::Parentheses ? QStringView(u"(")
                                                       : QStringView(digits.negativeSign());
    appendMagnitude(text, value, decimals, digits);
    if (below && negative == NegativeStyle::Parentheses)
        text += u')';
}

QString FormatNumber(const QVariant& value, int decimals, const NumberStyle& digits,
                     NegativeStyle negative) {
    QString text;
    appendNumber(text, value, decimals, digits, negative);
    return text;
}

QString FormatNumber(const QVariant& value, int decimals, const QLocale& locale,
                     NegativeStyle negative) {
    return FormatNumber(value, decimals, NumberStyle(locale), negative);
}

} // namespace tree
