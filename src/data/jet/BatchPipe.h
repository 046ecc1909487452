#pragma once

#include "data/jet/RowBatch.h"

#include <chrono>
#include <condition_variable>
#include <deque>
#include <exception>
#include <memory>
#include <mutex>
#include <optional>
#include <vector>

// Hands batches of rows from the thread that reads a source to the engine's thread, which
// stores them: the two work at once, and the reader is never more than a few batches ahead.
// Either side may end the load: the reader by finishing (or failing), the engine's side by
// stopping, after which the reader's next hand-over throws Stopped through the source's load.
namespace data::jet {

class BatchPipe {
public:
    // Thrown on the reader's thread once the engine's side has stopped.
    struct Stopped {};

    BatchPipe(std::size_t cellsPerBatch, int batches);

    // Reader: hands over a filled batch (none at first) and takes an empty one.
    RowBatch& exchange(RowBatch* filled);
    // Reader: its last batch, which may hold no rows, and the failure it ended with, if any.
    void finish(RowBatch* last, std::exception_ptr failure);

    // Engine: the next filled batch; null once the reader has finished and every batch it
    // filled was taken; nothing when none came within `wait`.
    std::optional<RowBatch*> next(std::chrono::milliseconds wait);
    // Engine: gives a stored batch back to be filled again.
    void recycle(RowBatch& batch);
    // Engine: ends the load from its side.
    void stop();
    // What the reader's load ended with (after next() gave null).
    std::exception_ptr failure() const;

private:
    mutable std::mutex mutex_;
    std::condition_variable changed_;
    std::vector<std::unique_ptr<RowBatch>> batches_;
    std::deque<RowBatch*> filled_;
    std::vector<RowBatch*> empty_;
    bool finished_ = false;
    bool stopped_ = false;
    std::exception_ptr failure_;
};

} // namespace data::jet
