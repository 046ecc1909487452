#pragma once

#include "tree/TreeNode.h"

#include <QModelIndex>
#include <QWidget>

class QTreeView;

namespace ui {

class ImageList;
class TreeControl;
class TreeModel;

using tree::NodePtr;
using tree::TreeNode;

// The relationship that makes Add put the new node last among the children of its relative.
constexpr int tvwChild = 4;

// The grouping tree control as the program's handlers drive it: a Nodes collection in order of
// adding, addressed by 1-based Index, over a plain single-column tree with node pictures.
// Errors in the program's requests (a position with no node, a removed node) raise data::Error.
class TreeView : public QWidget {
    Q_OBJECT

public:
    explicit TreeView(QWidget* parent = nullptr);
    ~TreeView() override;

    // Shows `nodes` from now on in place of the tree's own; they must outlive the tree or be
    // replaced. Whoever changes them, the tree shows the change.
    void showNodes(tree::NodeCollection& nodes);

    // Adds a top-level node when `relative` is 0, otherwise the last child of the node at
    // position `relative`, which needs `relationship` tvwChild. Keys are not kept.
    NodePtr Add(int relative = 0, int relationship = 0, const QString& key = {},
                const QString& text = {}, const QString& image = {});
    // Removes the node at a position together with everything under it. Whenever nodes go
    // (here or in the nodes shown) and take the selected node, the next sibling of those that
    // go is selected instead, else the previous one, else their parent; no NodeClick is raised.
    void Remove(int index);
    // Removes every node under `node` at once.
    void RemoveChildren(TreeNode& node);
    void Clear();
    int Count() const;
    NodePtr Nodes(int index) const;

    // The selected node, null when none. Setting it selects the node and makes it current
    // without raising NodeClick; null clears the selection.
    NodePtr SelectedItem() const;
    void setSelectedItem(const TreeNode* node);

    // Sorted keeps the top level in case-insensitive order of Text; children stay as added.
    bool Sorted() const;
    void setSorted(bool sorted);

    // 1 draws the expand decoration at the top level as well, 0 only below it.
    int LineStyle() const { return lineStyle_; }
    void setLineStyle(int style);

    // The pictures node images are keys of; the list must outlive the tree or be replaced.
    void setImageList(const ImageList* images);

    QTreeView* view() const;
    QModelIndex indexOf(const TreeNode* node) const;

signals:
    void GotFocus();
    // A key that types a character; a handler sets keyAscii to 0 to swallow the key.
    void KeyPress(int& keyAscii);
    // The user clicked a node or moved the selection with the keyboard; SelectedItem() is the
    // node by then.
    void NodeClick(tree::TreeNode* node);
    void DblClick();

private:
    void nodeClicked(const QModelIndex& index);
    // When the current node is in the rows about to go under `parent`, makes the next sibling
    // after them current, else the one before them, else their parent.
    void moveCurrentOutOf(const TreeNode* parent, int first, int last);
    void syncExpanded(TreeNode& node);

    TreeModel* model_;
    TreeControl* view_;
    int lineStyle_ = 0;
};

} // namespace ui
