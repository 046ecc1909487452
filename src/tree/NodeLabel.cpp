#include "tree/NodeLabel.h"

#include "data/AdoTypes.h"
#include "data/ValueText.h"

namespace tree {

QString figuresText(const Figures& figures, const Regional& regional) {
    const auto number = [&](const QVariant& value, int decimals) {
        return FormatNumber(value, decimals, regional.locale, regional.negative);
    };
    QString text = number(figures.count, 0);
    if (figures.hasStatistics)
        text += "; Min: " + number(figures.min, 2) + "; Max: " + number(figures.max, 2) +
                "; Avg: " + number(figures.avg, 2) + "; Sum: " + number(figures.sum, 2);
    return text;
}

QString groupLabel(const QString& valueText, const Figures& figures, const Regional& regional) {
    return valueText + " (" + figuresText(figures, regional) + ")";
}

QString rootLabel(const Figures& figures, const Regional& regional) {
    return groupLabel(QStringLiteral("Quarrymere"), figures, regional);
}

QString nullLabel(const Figures& figures, const Regional& regional) {
    return groupLabel(QStringLiteral("<<NULL>>"), figures, regional);
}

QString groupValueText(const QVariant& value, int fieldType, const QLocale& locale) {
    if (fieldType == data::ado::adBoolean)
        return value.toBool() ? QStringLiteral("True") : QStringLiteral("False");
    return data::valueText(value, fieldType, locale);
}

} // namespace tree
