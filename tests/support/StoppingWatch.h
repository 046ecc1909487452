#pragma once

#include "data/Operation.h"

#include <algorithm>
#include <climits>

namespace test {

// Stands for the window over an operation: stops it at its `stopAt`-th tick, or at the first
// that reports `stopAtRows` rows; counts the ticks and the rows reported.
class StoppingWatch : public data::OperationWatch {
public:
    explicit StoppingWatch(int stopAt = INT_MAX, qint64 stopAtRows = 0)
        : stopAt_(stopAt), stopAtRows_(stopAtRows) {}
    bool tick(qint64 done, qint64) override {
        ticks++;
        rows = std::max(rows, done);
        stopped_ = stopped_ || ticks >= stopAt_ || (stopAtRows_ > 0 && done >= stopAtRows_);
        return stopped_;
    }
    bool stopping() const override { return stopped_; }
    bool handlingEvents() const override { return false; }

    int ticks = 0;
    qint64 rows = 0;

private:
    int stopAt_;
    qint64 stopAtRows_;
    bool stopped_ = false;
};

} // namespace test
