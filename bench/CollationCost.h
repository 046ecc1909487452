#pragma once

#include "Stopwatch.h"

#include <QString>
#include <vector>

namespace data::jet {
class Engine;
}

// What the case-insensitive text collation costs: the same statements over the engine's tables,
// once comparing text through JETTEXT (as the text columns are declared) and once byte by byte
// (BINARY), over names in ASCII and over the same names with accented letters.
namespace bench {

struct CollationTiming {
    QString label;
    QString table;
    long long rows = 0;
    Timing jetText; // medians
    Timing binary;
};

std::vector<CollationTiming> timeCollation(data::jet::Engine& engine, int runs);

} // namespace bench
