#include "data/jet/speedup/PairGroups.h"

#include "data/jet/Database.h"
#include "data/jet/Statistics.h"
#include "data/jet/TableLoader.h"
#include "data/jet/speedup/ColumnCodes.h"
#include "data/jet/speedup/GroupSummary.h"
#include "data/jet/speedup/TableCodes.h"

namespace data::jet {

namespace {

// A pair as the rows show it first.
struct Pair {
    std::size_t firstRow = 0;
    qint64 rows = 0;
    bool secondNull = false;
    Statistics figures;
};

// The group of each code, the rows without a value in a group of their own after the others;
// `nulls` gets that group's number.
std::vector<std::uint32_t> groupsOf(const ColumnCodes& codes, GroupKeys& keys,
                                    std::uint32_t& nulls) {
    std::vector<std::uint32_t> firstCodes;
    std::vector<std::uint32_t> groups = foldedGroups(codes, keys, firstCodes);
    nulls = std::uint32_t(firstCodes.size());
    groups[ColumnCodes::Null] = nulls;
    return groups;
}

void storePairs(Database& database, const QString& name, const ColumnCodes& firstCodes,
                const ColumnCodes& secondCodes, bool statistics, const std::vector<Pair>& pairs) {
    const StatementHandle inserting =
        database.prepareOwn("INSERT INTO " + quotedIdentifier(name) + " VALUES (?, ?, ?, ?, ?)");
    sqlite3_stmt* insert = inserting.get();
    const auto valueOf = [](const ColumnCodes& codes, std::size_t row) {
        const std::uint32_t code = codes.at(row);
        return code == ColumnCodes::Null ? StoredValue() : codes.values()[code - 1];
    };
    for (const Pair& pair : pairs) {
        const StoredValue first = valueOf(firstCodes, pair.firstRow);
        const StoredValue second = valueOf(secondCodes, pair.firstRow);
        first.bind(insert, 1);
        second.bind(insert, 2);
        sqlite3_bind_int64(insert, 3, pair.rows);
        sqlite3_bind_int64(insert, 4, pair.secondNull ? 0 : pair.rows);
        const QByteArray figures = statistics ? pair.figures.bytes() : QByteArray();
        if (statistics)
            sqlite3_bind_blob(insert, 5, figures.constData(), int(figures.size()), SQLITE_STATIC);
        else
            sqlite3_bind_null(insert, 5);
        if (sqlite3_step(insert) != SQLITE_DONE)
            database.fail();
        sqlite3_reset(insert);
    }
}

} // namespace

std::optional<std::uint32_t> PairGroups::pair(std::uint32_t first, std::uint32_t second) const {
    if (first > firstNulls || second > secondNulls)
        return std::nullopt;
    const std::uint32_t pair = pairOf[std::size_t(first) * (secondNulls + 1) + second];
    return pair == NoGroup ? std::nullopt : std::optional(pair);
}

std::optional<PairGroups> makePairGroups(Database& database, const TableInfo& table,
                                         const ColumnInfo& first, const ColumnCodes& firstCodes,
                                         const ColumnInfo& second, const ColumnCodes& secondCodes,
                                         const ColumnInfo* statistics, const QString& name) {
    const std::size_t rows = firstCodes.rows();
    if (secondCodes.rows() != rows)
        return std::nullopt;
    PairGroups made;
    const std::vector<std::uint32_t> firstGroups =
        groupsOf(firstCodes, made.firstKeys, made.firstNulls);
    const std::vector<std::uint32_t> secondGroups =
        groupsOf(secondCodes, made.secondKeys, made.secondNulls);
    // Every pair of groups has its cell: never more cells than rows (or a million).
    const std::size_t width = std::size_t(made.secondNulls) + 1;
    const std::size_t cells = (std::size_t(made.firstNulls) + 1) * width;
    if (cells > std::max<std::size_t>(rows, 1 << 20))
        return std::nullopt;

    // The pair of each row, numbered in the order the rows first show them.
    std::vector<std::uint32_t> pairOfRow;
    pairOfRow.reserve(rows);
    firstCodes.forEach([&](std::uint32_t code) { pairOfRow.push_back(firstGroups[code]); });
    std::size_t row = 0;
    secondCodes.forEach([&](std::uint32_t code) {
        pairOfRow[row] = std::uint32_t(pairOfRow[row] * width + secondGroups[code]);
        ++row;
    });
    made.pairOf.assign(cells, NoGroup);
    std::vector<Pair> pairs;
    for (row = 0; row < rows; ++row) {
        const std::uint32_t cell = pairOfRow[row];
        std::uint32_t& number = made.pairOf[cell];
        if (number == NoGroup) {
            if (pairs.size() >= rows / MinRowsPerGroup)
                return std::nullopt;
            number = std::uint32_t(pairs.size());
            pairs.push_back({row, 0, cell % width == made.secondNulls, {}});
        }
        ++pairs[number].rows;
        pairOfRow[row] = number;
    }
    if (statistics)
        addStatistics(database, table, *statistics, pairOfRow,
                      [&](std::uint32_t pair) -> Statistics& { return pairs[pair].figures; });
    database.inTransaction([&] {
        createSummaryTable(database, name, first, second);
        storePairs(database, name, firstCodes, secondCodes, statistics != nullptr, pairs);
        made.summary = indexedSummary(database, table, name, first, second, statistics);
    });
    made.rows = std::make_shared<GroupRows>(std::move(pairOfRow), pairs.size());
    return made;
}

} // namespace data::jet
