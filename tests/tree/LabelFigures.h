#pragma once

#include "tree/NumberFormat.h"

#include <QRegularExpression>
#include <QString>
#include <array>
#include <optional>

namespace test {

// What a node's label shows, read back the way a person reads it: the value, the count and,
// when present, Min, Max, Avg and Sum. Numbers are read with the region's separators; a
// statistic written between parentheses is negative, an empty one is null.
struct LabelFigures {
    bool readable = false;
    QString value;
    qlonglong count = -1;
    bool hasStatistics = false;
    std::array<std::optional<double>, 4> statistics{};
};

inline std::optional<double> shownNumber(QString text, const QLocale& locale, bool* ok) {
    text = text.trimmed();
    if (text.isEmpty())
        return std::nullopt;
    bool negative = false;
    if (text.startsWith('(') && text.endsWith(')')) {
        negative = true;
        text = text.mid(1, text.size() - 2);
    }
    bool read = false;
    const double number = locale.toDouble(text, &read);
    *ok = *ok && read;
    return negative ? -number : number;
}

inline LabelFigures readLabel(const QString& label, const tree::Regional& regional) {
    // The count holds no ";" and no parentheses, which places the figures' "(" even when the
    // value or a negative statistic holds parentheses of its own.
    static const QRegularExpression shape(
        R"(^(.*) \(([^;()]*)(?:; Min: (.*); Max: (.*); Avg: (.*); Sum: (.*))?\)$)",
        QRegularExpression::DotMatchesEverythingOption);
    LabelFigures figures;
    const QRegularExpressionMatch match = shape.match(label);
    if (!match.hasMatch())
        return figures;
    bool ok = true;
    figures.value = match.captured(1);
    figures.count = regional.locale.toLongLong(match.captured(2), &ok);
    figures.hasStatistics = match.hasCaptured(3);
    if (figures.hasStatistics)
        for (int i = 0; i < 4; ++i)
            figures.statistics[i] = shownNumber(match.captured(3 + i), regional.locale, &ok);
    figures.readable = ok;
    return figures;
}

} // namespace test
