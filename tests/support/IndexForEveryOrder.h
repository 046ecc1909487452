#pragma once

#include "data/jet/speedup/GroupingIndex.h"

// While one lives, the engine makes its grouping index for every order prepared, even where the
// first level's kept rows would serve alone (small tables always have small groups).
struct IndexForEveryOrder {
    IndexForEveryOrder() { data::jet::GroupingIndex::keptRowsServeAlone = false; }
    ~IndexForEveryOrder() { data::jet::GroupingIndex::keptRowsServeAlone = true; }
    IndexForEveryOrder(const IndexForEveryOrder&) = delete;
    IndexForEveryOrder& operator=(const IndexForEveryOrder&) = delete;
};
