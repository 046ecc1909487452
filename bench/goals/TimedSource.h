#pragma once

#include "Stopwatch.h"
#include "data/jet/TableSource.h"

#include <memory>

// A table source that passes everything on to another one and times each load it gives: the
// rows made and pushed into the engine, wherever the program happens to ask for them (the
// engine loads a table when a statement first reads it).
namespace bench {

class TimedSource : public data::jet::TableSource {
public:
    explicit TimedSource(std::shared_ptr<data::jet::TableSource> inner)
        : inner_(std::move(inner)) {}

    QStringList tableNames() override { return inner_->tableNames(); }
    std::optional<data::jet::SourceTable> describe(const QString& name) override {
        return inner_->describe(name);
    }
    void load(const QString& name, data::jet::RowSink& sink) override {
        loads_.push_back(timeOf([&] { inner_->load(name, sink); }));
    }

    // Each load so far, in order.
    const std::vector<Timing>& loads() const { return loads_; }

private:
    std::shared_ptr<data::jet::TableSource> inner_;
    std::vector<Timing> loads_;
};

} // namespace bench
