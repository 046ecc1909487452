#pragma once

#include <QLocale>
#include <QString>
#include <array>
#include <optional>

namespace drill {

// What a node's label shows, read back the way a person reads it. Labels read
// value + " (" + count + ")", or value + " (" + count + "; Min: ...; Max: ...; Avg: ...; Sum: ...)"
// when the next column is numeric, numbers written with the locale's grouping and decimal
// separator. A statistic between parentheses is negative; an empty one is null.
struct LabelFigures {
    QString value;
    qlonglong count = 0;
    bool hasStatistics = false;
    std::array<std::optional<double>, 4> statistics{}; // Min, Max, Avg, Sum
};

// Nothing when the label has no count where one belongs, or a figure that is no number.
std::optional<LabelFigures> readLabel(const QString& label, const QLocale& locale = QLocale());

} // namespace drill
