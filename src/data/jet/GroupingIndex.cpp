#include "data/jet/GroupingIndex.h"

#include "data/jet/Database.h"
#include "data/jet/TableLoader.h"

#include <algorithm>

namespace data::jet {

namespace {

// The quoted table name and the key: "Sales" ("Region", vb_format("OrderDate", ...), ...,
// "OrderDate").
QByteArray keyOf(const TableInfo& table, const std::vector<GroupingTerm>& terms) {
    QByteArrayList keys;
    std::vector<const ColumnInfo*> covered, read;
    for (const GroupingTerm& term : terms) {
        const bool bytes =
            std::any_of(term.columns.begin(), term.columns.end(),
                        [](const ColumnInfo* c) { return c->storage == Storage::Blob; });
        if (bytes || term.columns.empty())
            break;
        keys << term.sqliteSql;
        for (const ColumnInfo* column : term.columns) {
            if (term.sqliteSql == quotedIdentifier(column->name))
                covered.push_back(column);
            else
                read.push_back(column);
        }
    }
    for (const ColumnInfo* column : read)
        if (std::find(covered.begin(), covered.end(), column) == covered.end()) {
            keys << quotedIdentifier(column->name);
            covered.push_back(column);
        }
    return keys.isEmpty() ? QByteArray()
                          : quotedIdentifier(table.name) + " (" + keys.join(", ") + ')';
}

} // namespace

void GroupingIndex::build(Database& database, const TableInfo& table,
                          const std::vector<GroupingTerm>& terms) {
    const QByteArray key = keyOf(table, terms);
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
