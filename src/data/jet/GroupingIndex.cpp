#include "data/jet/GroupingIndex.h"

#include "data/jet/Database.h"
#include "data/jet/TableLoader.h"

namespace data::jet {

namespace {

const ColumnInfo* findColumn(const TableInfo& table, const QString& name) {
    const QString folded = name.toCaseFolded();
    for (const ColumnInfo& column : table.columns)
        if (column.name.toCaseFolded() == folded)
            return &column;
    return nullptr;
}

// The quoted table name and the quoted key columns: "Sales" ("Region", "City", ...).
QByteArray keyOf(const TableInfo& table, const QStringList& columns) {
    QByteArray key;
    for (const QString& name : columns) {
        const ColumnInfo* column = findColumn(table, name);
        if (!column || column->storage == Storage::Blob)
            break;
        key += (key.isEmpty() ? "" : ", ") + quotedIdentifier(column->name);
    }
    return key.isEmpty() ? key : quotedIdentifier(table.name) + " (" + key + ')';
}

} // namespace

void GroupingIndex::build(Database& database, const TableInfo& table, const QStringList& columns) {
    const QByteArray key = keyOf(table, columns);
    if (key == key_)
        return;
    Database::OwnStatements own(database);
    if (!key_.isEmpty())
        stale_.push_back(name_);
    key_.clear();
    dropStale(database);
    if (key.isEmpty())
        return;
    const QByteArray name = quotedIdentifier(QStringLiteral("~grouping %1").arg(++made_));
    database.execute(("CREATE INDEX " + name + " ON " + key).constData());
    key_ = key;
    name_ = name;
}

// An index cannot be dropped while a statement still reads rows (a grid that has not fetched
// all of its rows): such a one stays until a later build.
void GroupingIndex::dropStale(Database& database) {
    std::erase_if(stale_, [&](const QByteArray& name) {
        return sqlite3_exec(database.handle(), ("DROP INDEX IF EXISTS " + name).constData(),
                            nullptr, nullptr, nullptr) == SQLITE_OK;
    });
}

} // namespace data::jet
