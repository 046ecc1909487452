#pragma once

#include <QString>

// One goal's line, the form `make bench-goals` prints and bench/README.md quotes:
//   goal NAME: FIGURE UNIT, limit LIMIT UNIT: met|missed
namespace bench {

struct Goal {
    QString name;
    double figure;
    double limit;
    QString unit = QStringLiteral("ms");
    // Whether the figure must stay below the limit rather than reach it at most.
    bool below = false;
    // Whether the figure must reach the limit at least (a rate).
    bool atLeast = false;

    bool met() const {
        if (atLeast)
            return figure >= limit;
        return below ? figure < limit : figure <= limit;
    }
};

// Figures of 100 and more without decimals, smaller ones with one.
inline QString goalFigure(double value) {
    return QString::number(value, 'f', value >= 100 ? 0 : 1);
}

inline QString goalLine(const Goal& goal) {
    return QStringLiteral("goal %1: %2 %3, limit %4 %3: %5")
        .arg(goal.name, goalFigure(goal.figure), goal.unit, goalFigure(goal.limit),
             goal.met() ? QStringLiteral("met") : QStringLiteral("missed"));
}

} // namespace bench
