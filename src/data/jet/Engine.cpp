#include "data/jet/Engine.h"

#include "data/jet/Database.h"
#include "data/jet/TableLoader.h"

namespace data::jet {

Engine::Engine(std::shared_ptr<TableSource> source, const QLocale& locale)
    : source_(std::move(source)), database_(std::make_shared<Database>(locale)) {}

Engine::~Engine() = default;

const TableInfo* Engine::findTable(const QString& name) {
    const QString key = name.toCaseFolded();
    if (const auto found = byFoldedName_.find(key); found != byFoldedName_.end())
        return found->second;
    const std::optional<SourceTable> described = source_->describe(name);
    if (!described)
        return nullptr;
    // The source may know the table under a spelling looked up before.
    const QString sourceKey = described->name.toCaseFolded();
    if (const auto found = byFoldedName_.find(sourceKey); found != byFoldedName_.end())
        return byFoldedName_[key] = found->second;

    tables_.push_back(std::make_unique<TableInfo>(loadTable(*database_, *source_, *described)));
    const TableInfo* table = tables_.back().get();
    byFoldedName_[sourceKey] = table;
    byFoldedName_[key] = table;
    return table;
}

Statement Engine::prepare(const QByteArray& sql, std::vector<ColumnInfo> columns) {
    return Statement(database_, database_->prepareQuery(sql), std::move(columns));
}

void Engine::interrupt() {
    database_->interrupt();
}

void Engine::indexForGrouping(const TableInfo& table, const std::vector<GroupingTerm>& terms) {
    groupingIndex_.build(*database_, table, terms);
}

QStringList Engine::queryPlan(const QByteArray& sql) {
    Database::OwnStatements own(*database_);
    const StatementHandle plan = database_->prepareOwn("EXPLAIN QUERY PLAN " + sql);
    QStringList steps;
    int rc;
    while ((rc = sqlite3_step(plan.get())) == SQLITE_ROW)
        steps << QString::fromUtf8(
            reinterpret_cast<const char*>(sqlite3_column_text(plan.get(), 3)));
    if (rc != SQLITE_DONE)
        database_->fail();
    return steps;
}

} // namespace data::jet
