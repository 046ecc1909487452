#include "data/jet/speedup/LevelGroups.h"

#include "data/Operation.h"
#include "data/jet/Database.h"
#include "data/jet/KeptRows.h"
#include "data/jet/Statistics.h"
#include "data/jet/StorageMapping.h"
#include "data/jet/TableLoader.h"
#include "data/jet/speedup/ColumnCodes.h"
#include "data/jet/speedup/GroupKeys.h"

#include <algorithm>
#include <string>
#include <vector>

namespace data::jet {

namespace {

// A group as the pass leaves it: the value of its first row, its rows and their statistics.
struct Group {
    int type = SQLITE_NULL;
    std::int64_t integer = 0;
    double real = 0;
    std::string text;
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

void keepFirstValue(sqlite3_value* value, int type, Group& group) {
    group.type = type;
    if (type == SQLITE_INTEGER)
        group.integer = sqlite3_value_int64(value);
    else if (type == SQLITE_FLOAT)
        group.real = sqlite3_value_double(value);
    else
        group.text.assign(reinterpret_cast<const char*>(sqlite3_value_text(value)),
                          std::size_t(sqlite3_value_bytes(value)));
}

void bindValue(sqlite3_stmt* insert, const Group& group) {
    switch (group.type) {
    case SQLITE_INTEGER:
        sqlite3_bind_int64(insert, 1, group.integer);
        break;
    case SQLITE_FLOAT:
        sqlite3_bind_double(insert, 1, group.real);
        break;
    case SQLITE_TEXT:
        sqlite3_bind_text(insert, 1, group.text.data(), int(group.text.size()), SQLITE_STATIC);
        break;
    default:
        sqlite3_bind_null(insert, 1);
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
        bindValue(insert, group);
        sqlite3_bind_int64(insert, 2, group.rows);
        sqlite3_bind_int64(insert, 3, group.type == SQLITE_NULL ? 0 : group.rows);
        const QByteArray figures = statistics ? group.figures.bytes() : QByteArray();
        if (statistics)
            sqlite3_bind_blob(insert, 4, figures.constData(), int(figures.size()), SQLITE_STATIC);
        else
            sqlite3_bind_null(insert, 4);
        if (sqlite3_step(insert) != SQLITE_DONE)
            database.fail();
        sqlite3_reset(insert);
    }
}

} // namespace

bool groupedInOnePass(const ColumnInfo& column) {
    return column.storage == Storage::Integer || column.storage == Storage::Boolean ||
           column.storage == Storage::Real || column.storage == Storage::Text;
}

namespace {

// Marks the rows without a value until the null group has its number.
constexpr std::uint32_t NullGroup = 0xFFFFFFFF;

// The key of a value kept by the column's codes.
void setKey(const ColumnCodes::Value& value, GroupKeys& keys) {
    if (value.type == SQLITE_TEXT)
        keys.setText(value.text);
    else if (value.type == SQLITE_INTEGER)
        keys.setInteger(value.integer);
    else
        keys.setReal(value.real);
}

// The groups from the column's codes: each value folds into its group once, the values in the
// order the rows first show them, so the groups come in the order the pass over the rows meets
// them, each with the value of its first row.
void groupCodes(const ColumnCodes& codes, GroupKeys& keys, std::vector<Group>& groups, Group& nulls,
                std::vector<std::uint32_t>& groupOfRow) {
    const std::vector<ColumnCodes::Value>& values = codes.values();
    std::vector<std::uint32_t> groupOfCode(values.size() + 1, NullGroup);
    for (std::size_t i = 0; i < values.size(); ++i) {
        const ColumnCodes::Value& value = values[i];
        setKey(value, keys);
        const std::uint32_t number = keys.groupOf(std::uint32_t(groups.size()));
        if (number == groups.size()) {
            Group& group = groups.emplace_back();
            group.type = value.type;
            group.integer = value.integer;
            group.real = value.real;
            group.text = value.text;
        }
        groupOfCode[i + 1] = number;
    }
    std::vector<qint64> rowsOfCode(values.size() + 1);
    groupOfRow.reserve(codes.rows());
    codes.forEach([&](std::uint32_t code) {
        ++rowsOfCode[code];
        groupOfRow.push_back(groupOfCode[code]);
    });
    nulls.rows = rowsOfCode[ColumnCodes::Null];
    for (std::size_t code = 1; code < rowsOfCode.size(); ++code)
        groups[groupOfCode[code]].rows += rowsOfCode[code];
}

// The statistics of each group, its rows' values added in their stored order.
void addStatistics(Database& database, const TableInfo& table, const ColumnInfo& statistics,
                   const std::vector<std::uint32_t>& groupOfRow, std::vector<Group>& groups,
                   Group& nulls) {
    const StatementHandle reading =
        database.prepareOwn("SELECT " + quotedIdentifier(statistics.name) + " FROM " +
                            quotedIdentifier(table.name) + " NOT INDEXED");
    sqlite3_stmt* rows = reading.get();
    std::size_t done = 0;
    int rc;
    while ((rc = sqlite3_step(rows)) == SQLITE_ROW) {
        if (done == groupOfRow.size())
            throw Error(QStringLiteral("The table changed while its rows were grouped."));
        const std::uint32_t number = groupOfRow[done];
        if (++done % 65536 == 0)
            tickOrStop(qint64(done), qint64(groupOfRow.size()));
        Group& group = number == NullGroup ? nulls : groups[number];
        if (!group.figures.add(sqlite3_column_value(rows, 0)))
            throw Error(QStringLiteral("The engine ran out of memory grouping the rows."));
    }
    if (rc != SQLITE_DONE)
        database.fail();
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
                keepFirstValue(value, type, groups.emplace_back());
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
            addStatistics(database, table, *statistics, groupOfRow, groups, nulls);
    } else if (!passOverRows(database, table, column, statistics, made.keys, groups, nulls,
                             groupOfRow, numbered)) {
        return std::nullopt;
    }
    return storedGroups(database, name, column, statistics, std::move(made), std::move(groups),
                        std::move(nulls), std::move(groupOfRow), numbered);
}

} // namespace data::jet
