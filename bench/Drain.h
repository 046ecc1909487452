#pragma once

#include "data/Provider.h"
#include "data/jet/Statement.h"

// Reads every value of every row of a result, as the program's grid and tree would, and keeps a
// summary to check that two statements gave the same rows.
namespace bench {

struct Drained {
    long long rows = 0;
    double numbers = 0; // the sum of every floating-point value read

    // The same row count and, to a rounding error, the same sum.
    bool agreesWith(const Drained& other) const;
};

Drained drain(data::Cursor& cursor);
Drained drain(data::jet::Statement& statement);

} // namespace bench
