#include "data/jet/GroupingIndex.h"

#include "data/jet/Database.h"
#include "data/jet/TableLoader.h"

#include <algorithm>

namespace data::jet {

namespace {

// The quoted table name and the key: "Sales" ("Region", vb_format("OrderDate", ...), ...,
// "OrderDate").
QByteArray keyOf(const TableInfo& table, const std::vector<GroupingTerm>& terms,
                 QByteArray& firstFormatted) {
    QByteArrayList keys;
    std::vector<const ColumnInfo*> covered, read;
    for (const GroupingTerm& term : terms) {
        const bool bytes =
            std::any_of(term.columns.begin(), term.columns.end(),
                        [](const ColumnInfo* c) { return c->storage == Storage::Blob; });
        if (bytes || term.columns.empty())
            break;
        if (keys.isEmpty() && term.columns.size() == 1 &&
            term.sqliteSql != quotedIdentifier(term.columns[0]->name))
            firstFormatted = quotedIdentifier(term.columns[0]->name);
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
    QByteArray formatted;
    const QByteArray key = keyOf(table, terms, formatted);
    if (key == key_)
        return;
    Database::OwnStatements own(database);
    stale_.insert(stale_.end(), names_.begin(), names_.end());
    names_.clear();
    key_.clear();
    dropStale(database);
    if (key.isEmpty())
        return;
    const QByteArray name = quotedIdentifier(QStringLiteral("~grouping %1").arg(++made_));
    database.execute(("CREATE INDEX " + name + " ON " + key).constData());
    names_.push_back(name);
    // When the first level groups formatted dates, its null group ("[OrderDate] IS NULL") finds
    // nothing to search in the key; a small index over just the rows without a date serves it.
    if (!formatted.isEmpty()) {
        const QByteArray nulls = quotedIdentifier(QStringLiteral("~grouping %1 nulls").arg(made_));
        database.execute(
            ("CREATE INDEX " + nulls + " ON " + key + " WHERE " + formatted + " IS NULL")
                .constData());
        names_.push_back(nulls);
    }
    key_ = key;
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
