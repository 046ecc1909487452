#pragma once

#include "data/ColInfo.h"
#include "tree/NodeLabel.h"
#include "tree/NodeValue.h"
#include "tree/TreeSql.h"

#include <memory>
#include <vector>

namespace data {
class Connection;
}

// Running the tree's statements: what the root counts, and the children of a clicked node.
namespace tree {

// One child of a level, as it is to be added under the clicked node.
struct LevelRow {
    NodeValue node;
    Figures figures;
};

// The root's figures from rootStatement.
Figures readRoot(const std::shared_ptr<data::Connection>& connection,
                 const data::ColInfoTable& columns, const QString& recordSource);

// The children of a clicked node in the order they are added: the null group first when it has
// rows, then one per grouped row in the order the database returns them.
std::vector<LevelRow> readLevel(const std::shared_ptr<data::Connection>& connection,
                                const data::ColInfoTable& columns, const LevelSql& level,
                                const Regional& regional = Regional());

} // namespace tree
