#include "tree/NumberStyle.h"

#include <bit>
#include <charconv>
#include <cmath>

namespace tree {

namespace {

// Numbers of 1 to 20 digits are the prefixes of this one; 20 digits still fit in 64 bits.
constexpr char Template[] = "12345678901234567890";
constexpr int MaxDigits = 20;

// Whether `text` is the first `count` digits of the template with nothing between them but
// `separator`; where it is, the bits of the digits a separator follows.
bool readSeparators(const QString& text, int count, const QString& separator,
                    std::uint32_t* after) {
    *after = 0;
    int digit = 0;
    for (qsizetype at = 0; at < text.size();) {
        if (digit < count && text[at] == QLatin1Char(Template[digit])) {
            ++digit;
            ++at;
        } else if (digit > 0 && digit < count && !separator.isEmpty() &&
                   QStringView(text).sliced(at).startsWith(separator)) {
            *after |= std::uint32_t(1) << (digit - 1);
            at += separator.size();
        } else {
            return false;
        }
    }
    return digit == count;
}

// Whether the value lies exactly halfway between two numbers of `decimals` places. The locale
// rounds such a value away from zero, std::to_chars to the even digit. A binary fraction with k
// bits after the point has exactly k decimal places, the last a 5, so the value is halfway at d
// places exactly when its fraction has d + 1 bits. Scaling by powers of two is exact.
bool isExactHalf(double magnitude, int decimals) {
    const double fraction = magnitude - std::floor(magnitude);
    const auto whole = [](double value) { return std::floor(value) == value; };
    return whole(std::ldexp(fraction, decimals + 1)) && !whole(std::ldexp(fraction, decimals));
}

} // namespace

NumberStyle::NumberStyle(const QLocale& locale)
    : locale_(locale), decimalPoint_(locale.decimalPoint()), separator_(locale.groupSeparator()),
      negativeSign_(locale.negativeSign()) {
    for (int count = 1; count <= MaxDigits; ++count) {
        std::uint64_t value = 0;
        std::from_chars(Template, Template + count, value);
        if (!readSeparators(locale.toString(qulonglong(value)), count, separator_,
                            &separatorsAfter_[count]))
            return;
    }
    // The model of the locale's digits is used only where it writes what the locale writes.
    ascii_ = true;
    if (!repeats(locale))
        ascii_ = false;
}

bool NumberStyle::repeats(const QLocale& locale) const {
    for (const double value : {0.0, 0.5, 7.125, 1234567.891, 98765432109876.5})
        for (const int decimals : {0, 2})
            if (fixed(value, decimals) != locale.toString(value, 'f', decimals))
                return false;
    QString zeros;
    appendZeroDecimals(zeros, 2);
    return zeros == locale.toString(0.0, 'f', 2).sliced(1);
}

void NumberStyle::appendGrouped(QString& text, const char* digits, int count, int decimals) const {
    const std::uint32_t after = separatorsAfter_[count];
    const qsizetype fraction = decimals > 0 ? decimalPoint_.size() + decimals : 0;
    const qsizetype start = text.size();
    text.resize(start + count + std::popcount(after) * separator_.size() + fraction);
    QChar* out = text.data() + start;
    for (int i = 0; i < count; ++i) {
        *out++ = QLatin1Char(digits[i]);
        if (after & (std::uint32_t(1) << i))
            out = std::copy(separator_.cbegin(), separator_.cend(), out);
    }
    if (decimals > 0) {
        out = std::copy(decimalPoint_.cbegin(), decimalPoint_.cend(), out);
        for (int i = 0; i < decimals; ++i)
            *out++ = QLatin1Char(digits[count + 1 + i]);
    }
}

void NumberStyle::appendWhole(QString& text, std::uint64_t magnitude) const {
    if (!ascii_) {
        text += locale_.toString(qulonglong(magnitude));
        return;
    }
    char digits[MaxDigits];
    const auto end = std::to_chars(digits, digits + MaxDigits, magnitude).ptr;
    appendGrouped(text, digits, int(end - digits), 0);
}

void NumberStyle::appendFixed(QString& text, double magnitude, int decimals) const {
    // 20 integer digits, a point and up to 20 decimals fit; anything longer the locale writes.
    char digits[2 * MaxDigits + 1];
    std::to_chars_result written{nullptr, std::errc::value_too_large};
    if (ascii_ && std::isfinite(magnitude) && decimals >= 0 && decimals <= MaxDigits &&
        !isExactHalf(magnitude, decimals))
        written = std::to_chars(digits, digits + sizeof digits, magnitude, std::chars_format::fixed,
                                decimals);
    const int count = written.ec == std::errc()
                          ? int(written.ptr - digits) - (decimals > 0 ? decimals + 1 : 0)
                          : MaxDigits + 1;
    if (count > MaxDigits)
        text += locale_.toString(magnitude, 'f', decimals);
    else
        appendGrouped(text, digits, count, decimals);
}

void NumberStyle::appendZeroDecimals(QString& text, int decimals) const {
    if (decimals <= 0)
        return;
    text += decimalPoint_;
    text += QString(decimals, locale_.zeroDigit().at(0));
}

QString NumberStyle::whole(std::uint64_t magnitude) const {
    QString text;
    appendWhole(text, magnitude);
    return text;
}

QString NumberStyle::fixed(double magnitude, int decimals) const {
    QString text;
    appendFixed(text, magnitude, decimals);
    return text;
}

} // namespace tree
