#include "tree/NodeTree.h"

#include "data/Operation.h"

namespace tree {

const NodePtr& NodeTree::reset(RootKind kind) {
    clear();
    setSorted(true);
    root_ = add(nullptr, QStringLiteral("Quarrymere (0)"), QStringLiteral("closed"));
    root_->setTag(kind == RootKind::Start ? QStringLiteral("Quarrymere")
                                          : QStringLiteral("Halyard"));
    rootKind_ = kind;
    return root_;
}

int NodeTree::depthOf(const TreeNode* node) const {
    int depth = 0;
    for (; node && holds(*node) && !isRoot(node); node = parentOf(*node))
        ++depth;
    return depth;
}

NodePath NodeTree::pathTo(const TreeNode* node, int depth) const {
    NodePath path;
    path.firstDepth = depth;
    for (; path.firstDepth >= 1 && node && holds(*node) && !isRoot(node);
         node = parentOf(*node), --path.firstDepth) {
        const auto* value = std::any_cast<NodeValue>(&node->Value());
        path.values.insert(path.values.begin(), value ? *value : NodeValue{});
    }
    ++path.firstDepth;
    return path;
}

void NodeTree::addLevel(TreeNode& node, const QString& column, const std::vector<LevelRow>& rows) {
    constexpr qint64 NodesBetweenReports = 1024;
    try {
        qint64 added = 0;
        for (const LevelRow& row : rows) {
            const NodePtr child = add(&node, row.node.label, QStringLiteral("closed"));
            child->setTag(column);
            child->setValue(row.node);
            if (++added % NodesBetweenReports == 0)
                data::tickOrStop(added, static_cast<qint64>(rows.size()));
        }
    } catch (...) {
        removeChildren(node);
        throw;
    }
}

void NodeTree::prune(int depth, const std::function<void(const QString&)>& told) {
    if (root_ && holds(*root_))
        prune(*root_, depth, 0, told);
}

void NodeTree::prune(TreeNode& node, int depth, int nodeDepth,
                     const std::function<void(const QString&)>& told) {
    if (nodeDepth == depth - 1) {
        for (int row = 0; row < childCount(&node); ++row)
            told("deleting Node " + childAt(&node, row)->Text());
        removeChildren(node);
        return;
    }
    if (nodeDepth > depth - 1)
        return;
    for (int row = 0; row < childCount(&node); ++row) {
        TreeNode& child = *childAt(&node, row);
        if (row + 1 < childCount(&node))
            told("Checking Node " + child.Text());
        prune(child, depth, nodeDepth + 1, told);
    }
}

} // namespace tree
