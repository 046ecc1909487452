#include "data/jet/Engine.h"

#include "data/jet/Database.h"
#include "data/jet/NameError.h"
#include "data/jet/TableLoader.h"
#include "data/jet/Translate.h"
#include "data/jet/ViewMessages.h"

#include <algorithm>

namespace data::jet {

namespace {

// A saved query that cannot be opened; `cause` is the description of what went wrong, about
// `view` itself or about the innermost query it reads.
class ViewError : public Error {
public:
    ViewError(const QString& view, const QString& description, const QString& cause = {})
        : Error(description), view_(view), cause_(cause.isEmpty() ? description : cause) {}
    const QString& view() const { return view_; }
    const QString& cause() const { return cause_; }

private:
    QString view_;
    QString cause_;
};

bool sameName(const QString& a, const QString& b) {
    return a.toCaseFolded() == b.toCaseFolded();
}

// What a name the query's own SELECT misses makes of it.
QString missingName(const QString& view, const NameError& error) {
    switch (error.kind()) {
    case NameError::Kind::Table:
        return messages::queryReadsMissing(view, error.name());
    case NameError::Kind::Column:
        return messages::queryParameterNotSupported(view, error.name());
    case NameError::Kind::Function:
        break;
    }
    return messages::queryFunctionNotSupported(view, error.name());
}

} // namespace

Engine::Engine(std::shared_ptr<TableSource> source, const QLocale& locale)
    : source_(std::move(source)), database_(std::make_shared<Database>(locale)) {}

Engine::~Engine() = default;

const TableInfo* Engine::findTable(const QString& name) {
    const QString key = name.toCaseFolded();
    if (const auto found = byFoldedName_.find(key); found != byFoldedName_.end())
        return found->second;
    const std::optional<SourceTable> described = source_->describe(name);
    if (!described) {
        const std::optional<SourceView> view = source_->view(name);
        if (!view)
            return nullptr;
        // A saved query opened before under another spelling.
        if (const auto found = byFoldedName_.find(view->name.toCaseFolded());
            found != byFoldedName_.end())
            return byFoldedName_[key] = found->second;
        const TableInfo& opened = keep(view->name, openView(*view));
        return byFoldedName_[key] = &opened;
    }
    // The source may know the table under a spelling looked up before.
    const QString sourceKey = described->name.toCaseFolded();
    if (const auto found = byFoldedName_.find(sourceKey); found != byFoldedName_.end())
        return byFoldedName_[key] = found->second;

    const TableInfo& table = keep(
        described->name, std::make_unique<TableInfo>(loadTable(*database_, *source_, *described)));
    return byFoldedName_[key] = &table;
}

const TableInfo& Engine::keep(const QString& name, std::unique_ptr<TableInfo> table) {
    tables_.push_back(std::move(table));
    byFoldedName_[name.toCaseFolded()] = tables_.back().get();
    return *tables_.back();
}

std::unique_ptr<TableInfo> Engine::openView(const SourceView& view) {
    if (!view.unsupported.isEmpty())
        throw ViewError(view.name, view.unsupported);
    const auto open = std::find_if(opening_.begin(), opening_.end(),
                                   [&](const QString& name) { return sameName(name, view.name); });
    if (open != opening_.end()) {
        QStringList loop(open, opening_.end());
        throw ViewError(*open, messages::queryLoops(loop << *open));
    }
    // Reported for the query opened first, through every query between.
    if (opening_.size() >= MostViewsNested)
        throw ViewError(opening_.front(),
                        messages::queryNestedTooDeep(opening_.front(), MostViewsNested));

    opening_.push_back(view.name);
    struct Closing {
        QStringList& opening;
        ~Closing() { opening.removeLast(); }
    } closing{opening_};

    Translation translation;
    try {
        translation = translateView(view.sql, *this);
    } catch (const ViewError& inner) {
        // A loop or depth found further in is about a query that is being opened still.
        const bool ours = std::any_of(opening_.begin(), opening_.end(), [&](const QString& name) {
            return sameName(name, inner.view());
        });
        if (ours)
            throw;
        throw ViewError(view.name,
                        messages::queryReadsFailingQuery(view.name, inner.view(), inner.cause()),
                        inner.cause());
    } catch (const NameError& error) {
        throw ViewError(view.name, missingName(view.name, error));
    } catch (const Error& error) {
        throw ViewError(view.name, messages::queryCannotBeOpened(view.name, error.description()));
    }

    auto table = std::make_unique<TableInfo>();
    table->name = view.name;
    for (const ResultColumn& column : translation.columns)
        table->columns.push_back({column.name, column.adoType, column.storage});
    try {
        storeQueryRows(*database_, *table, translation.sqliteSql);
    } catch (const Error& error) {
        throw ViewError(view.name, messages::queryCannotBeOpened(view.name, error.description()));
    }
    return table;
}

Statement Engine::prepare(const QByteArray& sql, std::vector<ColumnInfo> columns) {
    return Statement(database_, database_->prepareQuery(sql), std::move(columns));
}

void Engine::interrupt() {
    database_->interrupt();
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
