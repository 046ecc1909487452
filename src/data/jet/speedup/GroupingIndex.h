#pragma once

#include "data/LevelShape.h"
#include "data/jet/Catalog.h"
#include "data/jet/KeptRows.h"
#include "data/jet/Translate.h"
#include "data/jet/speedup/GroupSummary.h"
#include "data/jet/speedup/LevelGroups.h"
#include "data/jet/speedup/PairGroups.h"
#include "data/jet/speedup/TableCodes.h"

#include <QByteArray>
#include <QStringList>
#include <array>
#include <vector>

// The index that serves the grouping tree. A level's statement filters by the columns before the
// grouping column, groups by that column and takes statistics of the one after it. The index's
// key is the tree's first KeyTerms terms in order: level 1 is one pass over it in order, a
// level below a node of the first levels is a range of its entries, and the first levels read
// no row of the table. A node deeper down is a range of the entries of its first KeyTerms
// values, whose rows are then read from the table: each level divides the rows, so such a node
// holds few of them, and a key of every column made the index take half as long again to build
// and twice the memory, after every regroup.
//
// Text columns are indexed with their own collation, JETTEXT, which is the one the translated
// statements compare and group with; an index with any other could not serve them.
//
// A date level groups by its column formatted with the level's date group (Format([OrderDate],
// "yyyy\/mm")), and the nodes below it select their rows by that same text. Its key in the
// index is that term, exactly as the statements write it, so the level groups in index order
// and the nodes below it are a range of entries; the date itself follows at the end of the key,
// so that the index holds every value those levels read. When the first level is such
// a date level, a second, partial index over the rows without a date serves its null group.
//
// Where the first two levels group by plain columns, the figures of their groups are also
// counted once (see GroupSummary), and a level-2 statement reads its groups from there. Until
// the index for a new order is made, the first level's statements read its groups made in one
// pass over the table (see LevelGroups).
namespace data::jet {

class Database;

class GroupingIndex {
public:
    // How many of the tree's terms the key holds.
    static constexpr int KeyTerms = 3;

    // The most rows of one group of the first level for which the group's kept rows serve its
    // nodes in place of an index: this many, or where more, a 32nd of the table's rows. Read
    // by id, a group's rows cost several times what reading them in a pass over the table does;
    // so many still read in a fraction of a pass.
    // (Tests lower it, so that small tables have large groups.)
    static inline std::size_t mostRowsKeptForAGroup = 65536;
    static constexpr std::size_t ShareKeptForAGroup = 32;
    // Off, the index is made for every order, whatever rows are kept: the tests compare the two.
    static inline bool keptRowsServeAlone = true;
    // Off, the table's columns are never held as codes and every first level reads the table.
    static inline bool columnsHeldAsCodes = true;

    // Makes the index over these terms of the table (`levels` the tree's terms, `terms` each
    // translated), in this order, in place of the one made before; the same table and terms
    // again change nothing. The key stops before the first term that reads raw bytes, which the
    // tree never groups by; with no term left there is no index. Once the index before is gone,
    // the first term's groups are made in one pass with their rows (see levelGroups); where none
    // holds more than mostRowsKeptForAGroup rows (or a ShareKeptForAGroup-th of the table), no
    // index is made, the nodes reading their group's rows; nor where the first two columns are
    // held as codes and their pairs serve the first two levels and the nodes below (see
    // PairGroups). Before that first pass the table's columns are held as codes, once for the
    // table (see TableCodes), so that the groups of any column put in front later are counted
    // without reading the table. Fails with data::Error, and with data::Cancelled when the user
    // stops it.
    void build(Database& database, const TableInfo& table, const std::vector<LevelTerm>& levels,
               const std::vector<GroupingTerm>& terms);

    // The summary of the first two levels' groups of this table, if one is in place, with the
    // terms of those two levels.
    const GroupsTable* summary(const TableInfo& table) const;
    const std::array<LevelTerm, 2>& summaryTerms() const { return summaryTerms_; }
    // The first term of the key of the index in place over this table; null when there is none.
    const LevelTerm* leadingTerm(const TableInfo& table) const;

    // The groups of `column` of the table with the statistics of `statistics` (see
    // LevelGroups), made now where they are not in place; null where they are not made. One
    // such table is kept at a time. Fails with data::Cancelled when the user stops the pass.
    const GroupsTable* levelGroups(Database& database, const TableInfo& table,
                                   const ColumnInfo& column, const ColumnInfo* statistics);

    // The condition that reads the rows of the pair of values asked of the first two columns of
    // the order, where their pairs keep their rows, or else of the group of the value asked of
    // the column the groups above were made for, where they are in place with their rows and no
    // index begins with that column (which then serves better); empty otherwise (see KeptRows).
    KeptCondition rowsWhere(const TableInfo& table, const std::vector<AskedValue>& asked);

private:
    void holdCodes(Database& database, const TableInfo& table,
                   const std::vector<GroupingTerm>& terms);
    void groupFirstLevel(Database& database, const TableInfo& table, const LevelTerm& first,
                         const std::vector<GroupingTerm>& terms);
    bool keptRowsServe(const TableInfo& table, const LevelTerm& first) const;
    bool pairsServe(Database& database, const TableInfo& table,
                    const std::vector<LevelTerm>& levels, const std::vector<GroupingTerm>& terms);
    void releasePairs();
    void releaseKeptRows(const TableInfo& table, const LevelTerm& first);
    void dropStale(Database& database);

    QByteArray key_;                // table and columns of the index in place; empty when none
    std::vector<QByteArray> drops_; // the statements that drop what is in place
    std::vector<QByteArray> stale_; // such statements that could not run yet
    std::optional<GroupsTable> summary_;
    QString table_;                         // the table of the index in place
    LevelTerm leadingTerm_;                 // and the first term of its key
    std::array<LevelTerm, 2> summaryTerms_; // the terms of the summary's two columns
    std::optional<TableCodes> codes_;
    std::optional<PairGroups> pairs_; // of the first two columns, where they serve the order
    QByteArray pairsKey_;             // the key of the order they serve, for which no index is made
    int pairRows_ = 0;                // the number of their rows in lists_
    QString codesRefused_;            // the table whose columns cannot be held as codes
    std::optional<LevelGroups> levelGroups_;
    QByteArray levelDrop_;          // the statement that drops them
    std::optional<RowLists> lists_; // where their rows are kept for statements
    int levelRows_ = 0;             // the number of their rows there; 0 for none
    QString levelRefused_;          // the table and columns whose groups were too many to keep
    int made_ = 0;
};

} // namespace data::jet
