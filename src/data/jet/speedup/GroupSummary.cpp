#include "data/jet/speedup/GroupSummary.h"

#include "data/jet/Database.h"
#include "data/jet/StorageMapping.h"
#include "data/jet/TableLoader.h"

namespace data::jet {

namespace {

qint64 firstNumber(Database& database, const QByteArray& sql) {
    const StatementHandle count = database.prepareOwn(sql);
    if (sqlite3_step(count.get()) != SQLITE_ROW)
        database.fail();
    return sqlite3_column_int64(count.get(), 0);
}

QByteArray declared(const ColumnInfo& column) {
    return quotedIdentifier(column.name) + ' ' + declaredType(column.storage);
}

} // namespace

bool holdsNumbers(const ColumnInfo* column) {
    return column && (column->storage == Storage::Integer || column->storage == Storage::Real ||
                      column->storage == Storage::Currency);
}

std::optional<GroupsTable> makeGroupSummary(Database& database, const TableInfo& table,
                                            const std::array<GroupingTerm, 2>& terms,
                                            const ColumnInfo* statistics,
                                            const QByteArray& indexName, const QString& name) {
    const ColumnInfo& first = *terms[0].columns[0];
    const ColumnInfo& second = *terms[1].columns[0];
    const QByteArray source = quotedIdentifier(table.name) + " INDEXED BY " + indexName;
    const QByteArray groupBy = " GROUP BY " + terms[0].sqliteSql + ", " + terms[1].sqliteSql;
    // The groups are counted first, in a pass that stops once they are too many for the summary
    // to save anything (a level of groups of a row or two reads no more entries than groups).
    const qint64 most =
        firstNumber(database, "SELECT count(*) FROM " + quotedIdentifier(table.name)) /
        MinRowsPerGroup;
    const qint64 groups =
        firstNumber(database, "SELECT count(*) FROM (SELECT 1 FROM " + source + groupBy +
                                  " LIMIT " + QByteArray::number(most + 1) + ')');
    if (groups > most)
        return std::nullopt;
    createSummaryTable(database, name, first, second);
    // Read in the index's order, so that each group's entries come as a level reads them.
    database.execute(("INSERT INTO " + quotedIdentifier(name) + " SELECT " +
                      quotedIdentifier(first.name) + ", " + quotedIdentifier(second.name) +
                      ", count(*), count(" + quotedIdentifier(second.name) + "), " +
                      (statistics ? "jet_statistics(" + quotedIdentifier(statistics->name) + ')'
                                  : QByteArray("NULL")) +
                      " FROM " + source + groupBy)
                         .constData());
    return indexedSummary(database, table, name, first, second, statistics);
}

void createSummaryTable(Database& database, const QString& name, const ColumnInfo& first,
                        const ColumnInfo& second) {
    database.execute(("CREATE TABLE " + quotedIdentifier(name) + " (" + declared(first) + ", " +
                      declared(second) + ", " + quotedIdentifier(GroupsTable::RowsColumn) +
                      " INTEGER, " + quotedIdentifier(GroupsTable::CountColumn) + " INTEGER, " +
                      quotedIdentifier(GroupsTable::FiguresColumn) + " BLOB)")
                         .constData());
}

GroupsTable indexedSummary(Database& database, const TableInfo& table, const QString& name,
                           const ColumnInfo& first, const ColumnInfo& second,
                           const ColumnInfo* statistics) {
    database.execute(("CREATE INDEX " + quotedIdentifier(name + " key") + " ON " +
                      quotedIdentifier(name) + " (" + quotedIdentifier(first.name) + ", " +
                      quotedIdentifier(second.name) + ')')
                         .constData());
    GroupsTable made{table.name, {name, {first, second}}, first.name, second.name, QString()};
    if (statistics) {
        made.table.columns.push_back(*statistics);
        made.statistics = statistics->name;
    }
    return made;
}

} // namespace data::jet
