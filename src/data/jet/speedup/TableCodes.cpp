#include "data/jet/speedup/TableCodes.h"

#include "data/Operation.h"
#include "data/jet/Database.h"
#include "data/jet/KeptRows.h"
#include "data/jet/Statistics.h"
#include "data/jet/TableLoader.h"
#include "data/jet/speedup/LevelGroups.h"

#include <algorithm>

namespace data::jet {

namespace {

// Whether the row ids number the rows 1, 2, 3 ... in their stored order: distinct whole
// numbers, so where the least is 1 and the greatest the count, every one is there once.
bool numberedInOrder(Database& database, const TableInfo& table, const QString& rowId,
                     qint64& rows) {
    const StatementHandle numbering =
        database.prepareOwn("SELECT count(*), min(" + rowId.toLatin1() + "), max(" +
                            rowId.toLatin1() + ") FROM " + quotedIdentifier(table.name));
    if (sqlite3_step(numbering.get()) != SQLITE_ROW)
        database.fail();
    rows = sqlite3_column_int64(numbering.get(), 0);
    return rows == 0 || (sqlite3_column_int64(numbering.get(), 1) == 1 &&
                         sqlite3_column_int64(numbering.get(), 2) == rows);
}

} // namespace

const ColumnCodes* TableCodes::of(const TableInfo& info, const ColumnInfo& column) const {
    if (info.name != table || info.columns.size() != columns.size())
        return nullptr;
    for (std::size_t at = 0; at < columns.size(); ++at)
        if (info.columns[at].name == column.name)
            return columns[at] && columns[at]->storage() == column.storage ? &*columns[at]
                                                                           : nullptr;
    return nullptr;
}

std::optional<TableCodes> makeTableCodes(Database& database, const TableInfo& table,
                                         const std::vector<const ColumnInfo*>& order) {
    const QString rowId = rowIdName(table);
    if (rowId.isEmpty())
        return std::nullopt;
    Database::OwnStatements own(database);
    qint64 total = 0;
    if (!numberedInOrder(database, table, rowId, total))
        return std::nullopt;

    TableCodes made{table.name, {}};
    made.columns.resize(table.columns.size());
    // The columns read, each with its place in the table.
    std::vector<std::size_t> read;
    QByteArrayList names;
    for (const ColumnInfo* column : order) {
        const auto at =
            std::size_t(std::find_if(table.columns.begin(), table.columns.end(),
                                     [&](const ColumnInfo& c) { return &c == column; }) -
                        table.columns.begin());
        if (at == table.columns.size() || !groupedInOnePass(*column) || made.columns[at])
            continue;
        made.columns[at].emplace(column->storage);
        read.push_back(at);
        names << quotedIdentifier(column->name);
    }
    if (read.empty())
        return std::nullopt;
    const StatementHandle reading = database.prepareOwn(
        "SELECT " + names.join(", ") + " FROM " + quotedIdentifier(table.name) + " NOT INDEXED");
    sqlite3_stmt* rows = reading.get();
    qint64 done = 0;
    std::size_t textBytes = 0; // of the values of all columns held
    int rc;
    while ((rc = sqlite3_step(rows)) == SQLITE_ROW) {
        if (++done % 65536 == 0)
            tickOrStop(done, total);
        int width = 0;
        for (std::size_t i = 0; i < read.size(); ++i) {
            std::optional<ColumnCodes>& codes = made.columns[read[i]];
            if (!codes)
                continue;
            const std::size_t textBefore = codes->textBytes();
            const bool added = codes->add(sqlite3_column_value(rows, int(i)), MostCodedValues);
            textBytes += codes->textBytes() - textBefore;
            // A column that cannot be held, or no longer fits, is let go at once.
            if (!added || textBytes > MostLevelKeyBytes ||
                (width += codes->width()) > MostCodeBytesPerRow) {
                textBytes -= codes->textBytes();
                codes.reset();
            }
        }
    }
    if (rc != SQLITE_DONE)
        database.fail();
    if (done != total)
        return std::nullopt;
    return made;
}

void addStatistics(Database& database, const TableInfo& table, const ColumnInfo& statistics,
                   const std::vector<std::uint32_t>& groupOfRow,
                   const std::function<Statistics&(std::uint32_t group)>& figuresOf) {
    Database::OwnStatements own(database);
    const StatementHandle reading =
        database.prepareOwn("SELECT " + quotedIdentifier(statistics.name) + " FROM " +
                            quotedIdentifier(table.name) + " NOT INDEXED");
    sqlite3_stmt* rows = reading.get();
    std::size_t done = 0;
    int rc;
    while ((rc = sqlite3_step(rows)) == SQLITE_ROW) {
        if (done == groupOfRow.size())
            throw Error(QStringLiteral("The table changed while its rows were grouped."));
        const std::uint32_t group = groupOfRow[done];
        if (++done % 65536 == 0)
            tickOrStop(qint64(done), qint64(groupOfRow.size()));
        if (!figuresOf(group).add(sqlite3_column_value(rows, 0)))
            throw Error(QStringLiteral("The engine ran out of memory grouping the rows."));
    }
    if (rc != SQLITE_DONE)
        database.fail();
}

void insertGroup(Database& database, sqlite3_stmt* insert, int index, const Statistics* figures) {
    const QByteArray bytes = figures ? figures->bytes() : QByteArray();
    if (figures)
        sqlite3_bind_blob(insert, index, bytes.constData(), int(bytes.size()), SQLITE_STATIC);
    else
        sqlite3_bind_null(insert, index);
    if (sqlite3_step(insert) != SQLITE_DONE)
        database.fail();
    sqlite3_reset(insert);
}

} // namespace data::jet
