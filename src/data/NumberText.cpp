#include "data/NumberText.h"

#include <charconv>
#include <cmath>

namespace data {

QString numberText(double value, const QString& decimalPoint, int significantDigits) {
    if (value == 0) // and not "-0"
        return QStringLiteral("0");
    char buffer[40];
    // printf's %G, which chooses the exponent form exactly where VB does at the same precision;
    // to_chars writes the same digits several times faster.
    const std::to_chars_result end = std::to_chars(buffer, buffer + sizeof buffer, value,
                                                   std::chars_format::general, significantDigits);
    for (char* c = buffer; c != end.ptr; ++c)
        if (*c >= 'a' && *c <= 'z')
            *c = char(*c - 'a' + 'A');
    QString text = QString::fromLatin1(buffer, end.ptr - buffer);
    if (decimalPoint != QLatin1String("."))
        text.replace(u'.', decimalPoint);
    return text;
}

std::optional<double> readNumber(const QString& text, const QLocale& locale) {
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return std::nullopt;
    bool ok = false;
    double value = locale.toDouble(trimmed, &ok);
    if (!ok)
        value = QLocale::c().toDouble(trimmed, &ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

} // namespace data
