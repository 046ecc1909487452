#pragma once

#include "tree/NumberFormat.h"

#include <QString>
#include <QVariant>

// The texts of the tree's nodes: a value, a blank, and between parentheses the row count and,
// when the next column is numeric, that column's statistics.
namespace tree {

// What a grouped row (or the root) counts: the rows, and the statistics of the next column.
struct Figures {
    QVariant count{};
    bool hasStatistics = false;
    QVariant min{}, max{}, avg{}, sum{};
};

// "1,204; Min: 3.00; Max: 950.00; Avg: 120.50; Sum: 145,082.00", or the count alone. A null
// statistic is written as an empty value.
QString figuresText(const Figures& figures, const Regional& regional = Regional());

// "Quarrymere (" + figures + ")".
QString rootLabel(const Figures& figures, const Regional& regional = Regional());

// The null group's label, "<<NULL>> (" + figures + ")".
QString nullLabel(const Figures& figures, const Regional& regional = Regional());

// A group's value as its label shows it: "True" or "False" for a Boolean field (type 11),
// otherwise the value's text as grids show it.
QString groupValueText(const QVariant& value, int fieldType, const QLocale& locale = QLocale());
// The same with the regional settings read once, as a level writes its labels.
QString groupValueText(const QVariant& value, int fieldType, const Regional& regional);

// valueText + " (" + figures + ")".
QString groupLabel(QString valueText, const Figures& figures,
                   const Regional& regional = Regional());

} // namespace tree
