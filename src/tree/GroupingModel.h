#pragma once

#include "data/ColInfo.h"
#include "data/Dialect.h"
#include "data/LevelShape.h"
#include "tree/LevelRows.h"
#include "tree/NodeValue.h"
#include "tree/TreeSql.h"

#include <QString>
#include <QStringList>
#include <memory>
#include <span>
#include <vector>

namespace data {
class Connection;
class Recordset;
} // namespace data

namespace tree {

// Where a node stands: the values of its ancestors below the root and its own, from depth
// `firstDepth` down to the node. The root's path is empty. A walk up from a node that reached
// the root before `firstDepth` 1 (the selected root of a record source opened again, whatever
// depth was clicked before) starts deeper; the depths above it add nothing.
struct NodePath {
    std::vector<NodeValue> values;
    int firstDepth = 1;
};

// The grouping tree without its window: the record source's columns in grid order, which is the
// order the tree's levels group by, each with the date group and grouped flag its level took;
// the record source; and the dialect of the connection. It writes the root's statement, the
// statements of the level below a node, a node's condition, and works out what a move of
// grid columns keeps of the tree. Statements run on the connection given, through its
// provider; failures throw data::Error.
//
// Depth L of the tree (the root has depth 0) groups by entry L - 1 of the column table, and its
// nodes show the statistics of entry L when that column is numeric.
class GroupingModel {
public:
    data::ColInfoTable ColInfo;
    int FieldCount = 0;
    QString RecordSource; // as written after FROM
    data::Dialect dialect = data::Dialect::None;

    // Takes the columns of a record source from its structure result in grid order, none
    // grouped yet. Fails, changing nothing, when the source has more columns than the table
    // holds.
    void open(const QString& recordSource, data::Dialect dialect, const data::Recordset& structure);
    // The same with the record source's columns of these names only (compared without regard
    // to case), in this order, as a grid showing only these would hold them; the structure is
    // read on the connection. Fails for a name the record source lacks.
    void open(const std::shared_ptr<data::Connection>& connection, const QString& recordSource,
              data::Dialect dialect, const QStringList& shown);
    // The same with the columns given.
    void open(const QString& recordSource, data::Dialect dialect,
              std::span<const data::ColInfoRec> columns);

    // The terms the levels group by, in the order of the levels: a date column by the date
    // group its level took, or, before it has one, by `dateGroupType`.
    std::vector<data::LevelTerm> groupingTerms(data::DateGroup dateGroupType) const;
    // Lets the source prepare for the levels' statements (the engine of file sources keeps an
    // index); only a speed-up, so nothing fails.
    void prepareSource(data::Connection& connection, data::DateGroup dateGroupType) const;

    // The root: the record source's rows, with the statistics of the first column.
    QString rootStatement() const;
    Figures readRoot(const std::shared_ptr<data::Connection>& connection) const;

    // The condition, without WHERE, that selects the rows behind the node at the end of the
    // path; "" for the root.
    QString condition(const NodePath& path) const;

    // Whether the node at `depth` can have a level below it: not below the last column.
    bool hasLevelBelow(int depth) const { return depth >= 0 && depth < FieldCount; }
    // Whether the column the level below `depth` groups by can be grouped at all.
    bool canGroup(int depth) const;

    // The level below a node, ready to be read.
    struct Level {
        LevelSql sql;
        bool dateGroupFixed = false; // a date column took its date group just now
    };
    // Starts the level below the node at `depth` whose path is `path`: a date column takes
    // `dateGroupType` as its date group if it has none yet, and keeps it for every level built
    // on it until the columns are opened or moved again; the column is marked grouped.
    Level startLevel(int depth, const NodePath& path, data::DateGroup dateGroupType);
    // The level's children, labelled, in the order they are added: the null group first.
    std::vector<LevelRow> readLevel(const std::shared_ptr<data::Connection>& connection,
                                    const LevelSql& level,
                                    const Regional& regional = Regional()) const;

    // A block of adjacent grid columns moved into a gap between columns.
    struct BlockMove {
        bool moved = false;
        int first = 0;       // the block's first column at its new place
        int discardFrom = 0; // the first tree depth that no longer holds; 0: a new root
    };
    // Moves the columns `start` .. `end` into `gap` (0 before the first column, i + 1 between
    // columns i and i + 1, FieldCount after the last), whole entries, and clears the date group
    // and grouped flag of every column from the first depth to discard on. A depth is kept
    // only while both the column it groups by and the one whose statistics it shows stay in
    // place, or are replaced by columns that show no statistics either. A gap next to the block
    // moves nothing. Fails for columns or gaps outside the table.
    BlockMove moveBlock(int start, int end, int gap);
};

} // namespace tree
