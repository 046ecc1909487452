#pragma once

#include "Stopwatch.h"

#include <QString>
#include <vector>

namespace data::jet {
class Engine;
}

// What the case-insensitive text collation costs: the same statements over the engine's tables,
// once comparing text through JETTEXT (as the text columns are declared) and once byte by byte
// (BINARY), over names in ASCII and over the same names with accented letters; and the
// comparison alone, name against name.
namespace bench {

struct CollationTiming {
    QString label;
    QString table;
    long long rows = 0;
    Timing jetText; // medians
    Timing binary;
    double pairedRatio = 0; // the median of each round's JETTEXT/BINARY processor time
};

// The statements, JETTEXT and BINARY taking turns, after one run of each that is not counted.
std::vector<CollationTiming> timeCollation(data::jet::Engine& engine, int runs);

struct ComparisonTiming {
    QString label;
    double jetText = 0; // nanoseconds per comparison, the fastest run
    double unicodeOnly = 0;
    double binary = 0;
};

// The collation's comparison, the same order with every character decoded and folded through the
// Unicode tables, and memcmp, over the customer names of both tables: each name against the next
// in sorted order (as sorting compares), and against an equal copy (as grouping in index order
// compares).
std::vector<ComparisonTiming> timeComparisons(int runs);

} // namespace bench
