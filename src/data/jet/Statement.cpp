#include "data/jet/Statement.h"

#include "data/Error.h"
#include "data/jet/Database.h"
#include "data/jet/ResultValue.h"

namespace data::jet {

Statement::Statement(std::shared_ptr<Database> database, StatementHandle statement,
                     std::vector<ColumnInfo> columns)
    : database_(std::move(database)), statement_(std::move(statement)),
      columns_(std::move(columns)) {
    const int count = sqlite3_column_count(statement_.get());
    if (!columns_.empty() && int(columns_.size()) != count)
        throw Error(QStringLiteral("The query gives %1 columns where %2 were expected.")
                        .arg(count)
                        .arg(columns_.size()));
}

Statement& Statement::operator=(Statement&& other) noexcept {
    std::swap(database_, other.database_);
    std::swap(statement_, other.statement_);
    std::swap(columns_, other.columns_);
    std::swap(onRow_, other.onRow_);
    std::swap(finished_, other.finished_);
    return *this;
}

int Statement::columnCount() const {
    return sqlite3_column_count(statement_.get());
}

QString Statement::columnName(int column) const {
    checkColumn(column);
    if (!columns_.empty())
        return columns_[std::size_t(column)].name;
    return QString::fromUtf8(sqlite3_column_name(statement_.get(), column));
}

int Statement::adoType(int column) const {
    checkColumn(column);
    return columns_.empty() ? 0 : columns_[std::size_t(column)].adoType;
}

bool Statement::step() {
    if (finished_)
        return false;
    const int rc = sqlite3_step(statement_.get());
    onRow_ = rc == SQLITE_ROW;
    if (rc == SQLITE_ROW)
        return true;
    finished_ = true;
    if (rc != SQLITE_DONE)
        database_->fail();
    return false;
}

QVariant Statement::value(int column) const {
    checkColumn(column);
    if (!onRow_)
        throw Error(QStringLiteral("The query has no current row."));
    const std::optional<Storage> storage =
        columns_.empty() ? std::nullopt : std::optional(columns_[std::size_t(column)].storage);
    return resultValue(statement_.get(), column, storage);
}

void Statement::checkColumn(int column) const {
    if (column < 0 || column >= columnCount())
        throw Error(QStringLiteral("The query has no column %1.").arg(column + 1));
}

} // namespace data::jet
