#include "drill/LabelFigures.h"

#include <QRegularExpression>

namespace drill {

namespace {

// A statistic as shown: empty for a null, between parentheses when negative.
bool readStatistic(QString text, const QLocale& locale, std::optional<double>& number) {
    text = text.trimmed();
    if (text.isEmpty())
        return true;
    const bool negative = text.startsWith(u'(') && text.endsWith(u')');
    if (negative)
        text = text.mid(1, text.size() - 2);
    bool ok = false;
    const double magnitude = locale.toDouble(text, &ok);
    number = negative ? -magnitude : magnitude;
    return ok;
}

} // namespace

std::optional<LabelFigures> readLabel(const QString& label, const QLocale& locale) {
    // The count holds no ";" and no parentheses, which places the figures' "(" even when the
    // value or a negative statistic holds parentheses of its own.
    static const QRegularExpression shape(
        R"(^(.*) \(([^;()]*)(?:; Min: (.*); Max: (.*); Avg: (.*); Sum: (.*))?\)$)",
        QRegularExpression::DotMatchesEverythingOption);
    const QRegularExpressionMatch match = shape.match(label);
    if (!match.hasMatch())
        return std::nullopt;
    LabelFigures figures;
    figures.value = match.captured(1);
    bool ok = false;
    figures.count = locale.toLongLong(match.captured(2), &ok);
    if (!ok || figures.count < 0)
        return std::nullopt;
    figures.hasStatistics = match.hasCaptured(3);
    for (int i = 0; figures.hasStatistics && i < 4; ++i)
        if (!readStatistic(match.captured(3 + i), locale, figures.statistics[i]))
            return std::nullopt;
    return figures;
}

} // namespace drill
