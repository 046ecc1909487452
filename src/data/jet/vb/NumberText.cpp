#include "data/jet/vb/NumberText.h"

#include <cmath>
#include <cstdio>

namespace data::jet::vb {

QString numberText(double value, const QString& decimalPoint, int significantDigits) {
    if (value == 0) // and not "-0"
        return QStringLiteral("0");
    char buffer[40];
    // %G chooses the exponent form exactly where VB does at the same precision.
    std::snprintf(buffer, sizeof buffer, "%.*G", significantDigits, value);
    QString text = QString::fromLatin1(buffer);
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

} // namespace data::jet::vb
