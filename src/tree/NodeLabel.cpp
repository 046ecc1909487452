#include "tree/NodeLabel.h"

#include "data/AdoTypes.h"
#include "data/ValueText.h"

namespace tree {

namespace {

// Appends the figures to a label being written; a level writes thousands of labels, so each is
// written into one string rather than joined from pieces.
void appendFigures(QString& text, const Figures& figures, const Regional& regional) {
    const auto number = [&](const QVariant& value, int decimals) {
        appendNumber(text, value, decimals, regional.digits, regional.negative);
    };
    number(figures.count, 0);
    if (!figures.hasStatistics)
        return;
    text += u"; Min: ";
    number(figures.min, 2);
    text += u"; Max: ";
    number(figures.max, 2);
    text += u"; Avg: ";
    number(figures.avg, 2);
    text += u"; Sum: ";
    number(figures.sum, 2);
}

QString valueTextWith(const QVariant& value, int fieldType, const QLocale& locale,
                      const QString& decimalPoint) {
    if (fieldType == data::ado::adBoolean)
        return value.toBool() ? QStringLiteral("True") : QStringLiteral("False");
    return data::valueText(value, fieldType, locale, decimalPoint);
}

} // namespace

QString figuresText(const Figures& figures, const Regional& regional) {
    QString text;
    appendFigures(text, figures, regional);
    return text;
}

QString groupLabel(QString valueText, const Figures& figures, const Regional& regional) {
    QString label = std::move(valueText);
    label.reserve(label.size() + (figures.hasStatistics ? 120 : 24));
    label += u" (";
    appendFigures(label, figures, regional);
    label += u')';
    return label;
}

QString rootLabel(const Figures& figures, const Regional& regional) {
    return groupLabel(QStringLiteral("Quarrymere"), figures, regional);
}

QString nullLabel(const Figures& figures, const Regional& regional) {
    return groupLabel(QStringLiteral("<<NULL>>"), figures, regional);
}

QString groupValueText(const QVariant& value, int fieldType, const QLocale& locale) {
    return valueTextWith(value, fieldType, locale, locale.decimalPoint());
}

QString groupValueText(const QVariant& value, int fieldType, const Regional& regional) {
    return valueTextWith(value, fieldType, regional.locale, regional.digits.decimalPoint());
}

} // namespace tree
