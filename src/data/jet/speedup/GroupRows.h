#pragma once

#include <QString>
#include <cstdint>
#include <map>
#include <memory>
#include <span>
#include <vector>

// The rows of each group of a column, as the pass that groups a first level meets them (see
// LevelGroups): each group's row ids in their stored order, all groups in one block. A node of
// the tree's first level and every node below it select rows of one such group; their
// statements read those rows by id, in the order a pass over the whole table meets them, where
// they would otherwise read every row of the table (before an index for the tree's order is
// made, or where none is).
//
// Statements name a group's rows through the engine's table-valued function
//   jet_rows(list, group)
// whose one column `value` gives the row ids, so that a condition "_rowid_ IN (SELECT value FROM
// jet_rows(3, 17))" reads only them. `RowLists` registers it on a database and keeps the lists
// statements may name; a list a running statement reads stays in memory until it is done.
namespace data::jet {

class Database;

class GroupRows {
public:
    // From the group of each row (`groupOfRow[i]` that of the row with id i + 1) and the number of
    // groups. The rows are put in order of their groups when a group's rows are first asked for,
    // so that the pass that makes the groups does not wait for it.
    GroupRows(std::vector<std::uint32_t> groupOfRow, std::size_t groups);
    // The rows of groups each made of a run of the groups of `finer`: group g of its groups
    // `firstFiner[g]` up to `firstFiner[g + 1]`. They share its rows, in the order of its groups.
    GroupRows(std::shared_ptr<const GroupRows> finer, std::vector<std::uint32_t> firstFiner);

    // The group's row ids; where they are the rows of several groups of a finer grouping, in
    // the order of those groups.
    std::span<const std::uint32_t> of(std::int64_t group) const;
    // The group's row ids in their stored order, put into `merged` where they are the rows of
    // several groups of a finer grouping: a statement reads ids in order far faster.
    std::span<const std::uint32_t> ordered(std::int64_t group,
                                           std::vector<std::uint32_t>& merged) const;
    std::size_t groups() const { return groups_; }
    // The rows of the largest group, and of all groups.
    std::size_t largest() const;
    std::size_t count() const { return rows_; }

private:
    void order() const;

    std::size_t groups_;
    std::size_t rows_;
    std::shared_ptr<const GroupRows> finer_; // whose rows these are, if any
    std::vector<std::uint32_t> firstFiner_;
    mutable std::vector<std::uint32_t> groupOfRow_; // until the rows are ordered
    mutable std::vector<std::uint32_t> starts_;     // where each group's ids begin, then the end
    mutable std::vector<std::uint32_t> ids_;
};

class RowLists {
public:
    // Registers jet_rows on the database, which may outlive this (its lists then stay until it
    // is closed).
    explicit RowLists(Database& database);

    // Keeps the list under a new number that statements name it by.
    int keep(std::shared_ptr<const GroupRows> rows);
    // Statements made from now on cannot name the list; those already reading it finish with
    // it, and one that has not read its first row yet fails with a message.
    void forget(int list);

    // The condition on the row ids `rowId` that holds for the rows of `group` of `list`.
    static QString condition(const QString& rowId, int list, std::int64_t group);

    struct Kept {
        std::map<int, std::shared_ptr<const GroupRows>> lists;
        int made = 0;
    };

private:
    std::shared_ptr<Kept> kept_;
};

} // namespace data::jet
