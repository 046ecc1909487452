#pragma once

#include <QString>
#include <algorithm>

namespace bench {

// What every benchmark program reads from its arguments: the table's rows and the runs of each
// measurement, as "--rows=N" and "--runs=N" (N at least 1).
struct Counts {
    int rows = 1000000;
    int runs = 9;
};

// Reads the argument into `counts`; false when it is another one.
inline bool readCounts(const QString& argument, Counts& counts) {
    for (auto [prefix, into] : {std::pair{QStringLiteral("--rows="), &counts.rows},
                                std::pair{QStringLiteral("--runs="), &counts.runs}}) {
        if (argument.startsWith(prefix)) {
            *into = std::max(1, argument.mid(prefix.size()).toInt());
            return true;
        }
    }
    return false;
}

} // namespace bench
