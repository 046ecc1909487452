#pragma once

#include "data/jet/speedup/GroupingIndex.h"

#include <utility>

// While one lives, a first-level group of more than a 32nd of the table's rows counts as large,
// as groups of hundreds of thousands of rows do, so that a small table's prepared order is
// served as a large one's: by the pairs of its first two columns, or else by the index.
struct EveryGroupLarge {
    EveryGroupLarge()
        : before_(std::exchange(data::jet::GroupingIndex::mostRowsKeptForAGroup, 0)) {}
    ~EveryGroupLarge() { data::jet::GroupingIndex::mostRowsKeptForAGroup = before_; }
    EveryGroupLarge(const EveryGroupLarge&) = delete;
    EveryGroupLarge& operator=(const EveryGroupLarge&) = delete;

private:
    std::size_t before_;
};
