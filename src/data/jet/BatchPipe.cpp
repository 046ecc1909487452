#include "data/jet/BatchPipe.h"

namespace data::jet {

BatchPipe::BatchPipe(std::size_t cellsPerBatch, int batches) {
    for (int i = 0; i < batches; ++i) {
        batches_.push_back(std::make_unique<RowBatch>(cellsPerBatch));
        empty_.push_back(batches_.back().get());
    }
}

RowBatch& BatchPipe::exchange(RowBatch* filled) {
    std::unique_lock lock(mutex_);
    if (filled) {
        filled_.push_back(filled);
        changed_.notify_all();
    }
    changed_.wait(lock, [&] { return stopped_ || !empty_.empty(); });
    if (stopped_)
        throw Stopped();
    RowBatch* batch = empty_.back();
    empty_.pop_back();
    batch->clear();
    return *batch;
}

void BatchPipe::finish(RowBatch* last, std::exception_ptr failure) {
    const std::lock_guard lock(mutex_);
    if (last && last->rows > 0 && !failure)
        filled_.push_back(last);
    else if (last)
        empty_.push_back(last);
    failure_ = failure;
    finished_ = true;
    changed_.notify_all();
}

std::optional<RowBatch*> BatchPipe::next(std::chrono::milliseconds wait) {
    std::unique_lock lock(mutex_);
    if (!changed_.wait_for(lock, wait, [&] { return finished_ || !filled_.empty(); }))
        return std::nullopt;
    if (filled_.empty())
        return nullptr;
    RowBatch* batch = filled_.front();
    filled_.pop_front();
    return batch;
}

void BatchPipe::recycle(RowBatch& batch) {
    const std::lock_guard lock(mutex_);
    empty_.push_back(&batch);
    changed_.notify_all();
}

void BatchPipe::stop() {
    const std::lock_guard lock(mutex_);
    stopped_ = true;
    changed_.notify_all();
}

std::exception_ptr BatchPipe::failure() const {
    const std::lock_guard lock(mutex_);
    return failure_;
}

} // namespace data::jet
