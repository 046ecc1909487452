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
        insertGroup(database, insert, 5, statistics ? &pair.figures : nullptr);
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
    std::vector<Pair> met;
    std::vector<std::uint32_t> firstOfPair;
    for (row = 0; row < rows; ++row) {
        const std::uint32_t cell = pairOfRow[row];
        std::uint32_t& number = made.pairOf[cell];
        if (number == NoGroup) {
            if (met.size() >= rows / MinRowsPerGroup)
                return std::nullopt;
            number = std::uint32_t(met.size());
            met.push_back({row, 0, cell % width == made.secondNulls, {}});
            firstOfPair.push_back(std::uint32_t(cell / width));
        }
        ++met[number].rows;
        pairOfRow[row] = number;
    }

    // The pairs numbered anew, those of one first-level group after one another in the order the
    // rows show them, so that the group's rows are those of a run of pairs (see firstRows).
    made.firstPairs.assign(std::size_t(made.firstNulls) + 2, 0);
    for (const std::uint32_t first : firstOfPair)
        ++made.firstPairs[first + 1];
    for (std::size_t g = 1; g < made.firstPairs.size(); ++g)
        made.firstPairs[g] += made.firstPairs[g - 1];
    std::vector<std::uint32_t> next(made.firstPairs.begin(), made.firstPairs.end() - 1);
    std::vector<std::uint32_t> renumbered(met.size());
    std::vector<std::uint32_t> metAs(met.size());
    for (std::size_t p = 0; p < met.size(); ++p) {
        renumbered[p] = next[firstOfPair[p]]++;
        metAs[renumbered[p]] = std::uint32_t(p);
    }
    for (std::uint32_t& number : made.pairOf)
        if (number != NoGroup)
            number = renumbered[number];
    for (std::uint32_t& number : pairOfRow)
        number = renumbered[number];
    std::vector<Pair> pairs;
    pairs.reserve(met.size());
    for (const std::uint32_t p : metAs)
        pairs.push_back(std::move(met[p]));
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

std::shared_ptr<const GroupRows> PairGroups::firstRows() const {
    return std::make_shared<GroupRows>(rows, firstPairs);
}

} // namespace data::jet
