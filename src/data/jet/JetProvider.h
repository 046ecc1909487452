#pragma once

#include "data/Provider.h"
#include "data/TableEntry.h"
#include "data/jet/Engine.h"
#include "data/jet/Translate.h"
#include "data/jet/speedup/TreeSpeedup.h"

#include <functional>
#include <memory>
#include <vector>

namespace data::jet {

// A provider that answers Jet SQL over a file source: each statement is translated to the
// engine's SQL and run there, its rows streamed as they are read. The grouping tree's levels
// may read what the speed-up made for them (see TreeSpeedup), unless it is switched off.
class JetProvider : public Provider {
public:
    using TableLister = std::function<std::vector<TableEntry>()>;

    JetProvider(std::shared_ptr<TableSource> source, TableLister tables);

    std::unique_ptr<Cursor> execute(const QString& statement) override;
    std::unique_ptr<Cursor> executeLevel(const LevelShape& shape,
                                         const QString& statement) override;
    std::unique_ptr<Cursor> tables() override;
    // An index over the record source's grouping terms in tree order, on a table of the source
    // or on the rows a saved query gave (see Engine).
    void prepareGrouping(const QString& recordSource, const std::vector<LevelTerm>& terms) override;
    bool preparesGrouping() const override { return speedupOn_; }

    // Whether the providers made from now on use the speed-up (by default they do). Switched
    // off, every level is read from its statement alone and nothing is prepared; the tests and
    // benchmarks compare the two.
    static void setSpeedupEnabled(bool enabled);
    // The engine counts a statement's rows, and starts its rows at a position by passing over
    // those before it without reading their values; a statement with TOP is read from its start.
    qsizetype countRows(const QString& statement) override;
    std::unique_ptr<Cursor> executeFrom(const QString& statement, qsizetype first) override;

    // Off, rows from a position are read from the start and passed over one by one, as any
    // provider does: the plain path that the engine's must agree with.
    static inline bool engineOffsets = true;

    // The engine beneath, for running its own SQL over the same tables (the benchmark compares
    // translated statements with hand-written ones this way).
    Engine& engine() { return engine_; }

private:
    std::unique_ptr<Cursor> cursorOf(const Translation& translation);

    Engine engine_;
    TableLister tables_;
    TreeSpeedup speedup_;
    bool speedupOn_;
};

} // namespace data::jet
