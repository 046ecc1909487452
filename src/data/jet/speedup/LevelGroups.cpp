#include "data/jet/speedup/LevelGroups.h"

#include "data/Operation.h"
#include "data/jet/Database.h"
#include "data/jet/KeptRows.h"
#include "data/jet/Statistics.h"
#include "data/jet/StorageMapping.h"
#include "data/jet/TableLoader.h"
#include "data/jet/speedup/ColumnCodes.h"
#include "data/jet/speedup/GroupKeys.h"
#include "data/jet/speedup/TableCodes.h"

#include <algorithm>
#include <string>
#include <vector>

namespace data::jet {

namespace {

// A group as the pass leaves it: the value of its first row, its rows and their statistics.
struct Group {
    StoredValue first;
    qint64 rows = 0;
    Statistics figures;
};

// The key of the row's value; false for a value of another kind than the column holds.
bool setKey(sqlite3_value* value, int type, Storage storage, GroupKeys& keys) {
    switch (type) {
    case SQLITE_TEXT:
        if (storage != Storage::Text)
            return false;
        keys.setText({reinterpret_cast<const char*>(sqlite3_value_text(value)),
                      std::size_t(sqlite3_value_bytes(value))});
        return true;
    case SQLITE_INTEGER:
        if (storage == Storage::Text)
            return false;
        keys.setInteger(sqlite3_value_int64(value));
        return true;
    case SQLITE_FLOAT:
        if (storage == Storage::Text)
            return false;
        keys.setReal(sqlite3_value_double(value));
        return true;
    default:
        return false;
    }
}

// The table `name` of the groups, one row each: the first row's value, the rows, the values
// counted and the statistics.
void storeGroups(Database& database, const QString& name, const ColumnInfo& column, bool statistics,
                 const std::vector<Group>& groups) {
    const QByteArray table = quotedIdentifier(name);
    database.execute(("CREATE TABLE " + table + " (" + quotedIdentifier(column.name) + ' ' +
                      declaredType(column.storage) + ", " +
                      quotedIdentifier(GroupsTable::RowsColumn) + " INTEGER, " +
                      quotedIdentifier(GroupsTable::CountColumn) + " INTEGER, " +
                      quotedIdentifier(GroupsTable::FiguresColumn) + " BLOB)")
                         .constData());
    const StatementHandle inserting =
        database.prepareOwn("INSERT INTO " + table + " VALUES (?, ?, ?, ?)");
    sqlite3_stmt* insert = inserting.get();
    for (const Group& group : groups) {
        group.first.bind(insert, 1);
        sqlite3_bind_int64(insert, 2, group.rows);
        sqlite3_bind_int64(insert, 3, group.first.type == SQLITE_NULL ? 0 : group.rows);
        insertGroup(database, insert, 4, statistics ? &group.figures : nullptr);
    }
}

} // namespace

bool groupedInOnePass(const ColumnInfo& column) {
    return column.storage == Storage::Integer || column.storage == Storage::Boolean ||
           column.storage == Storage::Real || column.storage == Storage::Text;
}

namespace {

// Marks the rows without a value until the null group has its number.
constexpr std::uint32_t NullGroup = NoGroup;

// The groups from the column's codes: each value folds into its group once, the values in the
// order the rows first show them, so the groups come in the order the pass over the rows meets
// them, each with the value of its first row.
void groupCodes(const ColumnCodes& codes, GroupKeys& keys, std::vector<Group>& groups, Group& nulls,
                std::vector<std::uint32_t>& groupOfRow) {
    std::vector<std::uint32_t> firstCodes;
    const std::vector<std::uint32_t> groupOfCode = foldedGroups(codes, keys, firstCodes);
    groups.resize(firstCodes.size());
    for (std::size_t g = 0; g < groups.size(); ++g)
        groups[g].first = codes.values()[firstCodes[g] - 1];
    std::vector<qint64> rowsOfCode(groupOfCode.size());
    groupOfRow.reserve(codes.rows());
    codes.forEach([&](std::uint32_t code) {
        ++rowsOfCode[code];
        groupOfRow.push_back(groupOfCode[code]);
    });
    nulls.rows = rowsOfCode[ColumnCodes::Null];
    for (std::size_t code = 1; code < rowsOfCode.size(); ++code)
        groups[groupOfCode[code]].rows += rowsOfCode[code];
}

// One pass over the table's rows in their stored order, which is the order a statement meets a
// group's rows in. False where the groups are not to be made (see makeLevelGroups); `numbered`
// false where the row ids do not number the rows one by one, so that no rows are kept.
bool passOverRows(Database& database, const TableInfo& table, const ColumnInfo& column,
                  const ColumnInfo* statistics, GroupKeys& keys, std::vector<Group>& groups,
                  Group& nulls, std::vector<std::uint32_t>& groupOfRow, bool& numbered) {
    const QByteArray source = quotedIdentifier(table.name);
    const StatementHandle counting = database.prepareOwn("SELECT count(*) FROM " + source);
    if (sqlite3_step(counting.get()) != SQLITE_ROW)
        database.fail();
    const qint64 total = sqlite3_column_int64(counting.get(), 0);

    const QString rowId = rowIdName(table);
    const StatementHandle reading =
        database.prepareOwn("SELECT " + quotedIdentifier(column.name) + ", " +
                            (statistics ? quotedIdentifier(statistics->name) : QByteArray("NULL")) +
                            ", " + (rowId.isEmpty() ? QByteArray("NULL") : rowId.toLatin1()) +
                            " FROM " + source + " NOT INDEXED");
    sqlite3_stmt* rows = reading.get();
    numbered = !rowId.isEmpty() && total < qint64(NullGroup);
    if (numbered)
        groupOfRow.reserve(std::size_t(total));
    qint64 done = 0;
    int rc;
    while ((rc = sqlite3_step(rows)) == SQLITE_ROW) {
        if (++done % 65536 == 0)
            tickOrStop(done, total);
        Group* group = &nulls;
        std::uint32_t number = NullGroup;
        sqlite3_value* value = sqlite3_column_value(rows, 0);
        if (const int type = sqlite3_value_type(value); type != SQLITE_NULL) {
            if (!setKey(value, type, column.storage, keys))
                return false;
            number = keys.groupOf(std::uint32_t(groups.size()));
            if (number == groups.size()) {
                if (groups.size() == MostLevelGroups || keys.keptBytes() > MostLevelKeyBytes)
                    return false;
                groups.emplace_back().first.assign(value);
            }
            group = &groups[number];
        }
        ++group->rows;
        if (statistics && !group->figures.add(sqlite3_column_value(rows, 1)))
            throw Error(QStringLiteral("The engine ran out of memory grouping the rows."));
        if (numbered) {
            numbered = sqlite3_column_int64(rows, 2) == done && qint64(groupOfRow.size()) < total;
            groupOfRow.push_back(number);
        }
    }
    if (rc != SQLITE_DONE)
        database.fail();
    return true;
}

// Stores the groups as the table `name` and keeps their rows where they are numbered.
LevelGroups storedGroups(Database& database, const QString& name, const ColumnInfo& column,
                         const ColumnInfo* statistics, LevelGroups made, std::vector<Group> groups,
                         Group nulls, std::vector<std::uint32_t> groupOfRow, bool numbered) {
    // The rows without a value have their row too, even when there are none, so that the null
    // group's statement finds exactly one.
    groups.push_back(std::move(nulls));
    if (numbered) {
        std::replace(groupOfRow.begin(), groupOfRow.end(), NullGroup,
                     std::uint32_t(groups.size() - 1));
        made.rows = std::make_shared<GroupRows>(std::move(groupOfRow), groups.size());
    }
    database.inTransaction(
        [&] { storeGroups(database, name, column, statistics != nullptr, groups); });
    if (statistics) {
        made.table.table.columns.push_back(*statistics);
        made.table.statistics = statistics->name;
    }
    return made;
}

} // namespace

std::optional<LevelGroups> makeLevelGroups(Database& database, const TableInfo& table,
                                           const ColumnInfo& column, const ColumnInfo* statistics,
                                           const QString& name, const ColumnCodes* codes) {
    if (!groupedInOnePass(column))
        return std::nullopt;
    Database::OwnStatements own(database);
    LevelGroups made{{table.name, {name, {column}}, QString(), column.name, QString()}, {}, {}};
    std::vector<Group> groups;
    Group nulls;
    // The group of each row, the rows without a value marked until the null group has its number.
    std::vector<std::uint32_t> groupOfRow;
    bool numbered = true;
    if (codes) {
        groupCodes(*codes, made.keys, groups, nulls, groupOfRow);
        if (statistics)
            addStatistics(database, table, *statistics, groupOfRow,
                          [&](std::uint32_t number) -> Statistics& {
                              return (number == NullGroup ? nulls : groups[number]).figures;
                          });
    } else if (!passOverRows(database, table, column, statistics, made.keys, groups, nulls,
                             groupOfRow, numbered)) {
        return std::nullopt;
    }
    return storedGroups(database, name, column, statistics, std::move(made), std::move(groups),
                        std::move(nulls), std::move(groupOfRow), numbered);
}

} // namespace data::jet
