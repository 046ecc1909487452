#include "ui/controls/TreeView.h"

#include "data/Error.h"
#include "ui/controls/KeyAscii.h"
#include "ui/controls/TreeControl.h"
#include "ui/controls/TreeModel.h"

#include <QSignalBlocker>
#include <QVBoxLayout>

namespace ui {

TreeView::TreeView(QWidget* parent)
    : QWidget(parent), model_(new TreeModel(this)), view_(new TreeControl(this)) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(view_);
    setFocusProxy(view_);
    view_->setModel(model_);
    view_->setRootIsDecorated(false);

    model_->expandedChanged = [this](TreeNode& node) { syncExpanded(node); };
    model_->removingRows = [this](const TreeNode* parent, int first, int last) {
        moveCurrentOutOf(parent, first, last);
    };
    connect(model_, &QAbstractItemModel::rowsRemoved, view_->viewport(),
            qOverload<>(&QWidget::update));
    connect(view_, &QTreeView::expanded, this,
            [](const QModelIndex& index) { TreeModel::nodeAt(index)->setExpanded(true); });
    connect(view_, &QTreeView::collapsed, this,
            [](const QModelIndex& index) { TreeModel::nodeAt(index)->setExpanded(false); });

    view_->focused = [this] { emit GotFocus(); };
    view_->keyPressing = [this](QKeyEvent& event) {
        int ascii = keyAscii(event);
        if (ascii == 0)
            return true;
        emit KeyPress(ascii);
        return ascii != 0;
    };
    view_->selectionMovedByKey = [this] { emit NodeClick(SelectedItem().get()); };
    connect(view_, &QTreeView::clicked, this, &TreeView::nodeClicked);
    connect(view_, &QTreeView::doubleClicked, this, [this] { emit DblClick(); });
}

TreeView::~TreeView() {
    // The view goes before the model it shows, so that it hears nothing of the nodes going.
    delete view_;
}

void TreeView::showNodes(tree::NodeCollection& nodes) {
    model_->show(nodes);
}

NodePtr TreeView::Add(int relative, int relationship, const QString&, const QString& text,
                      const QString& image) {
    TreeNode* parent = nullptr;
    if (relative != 0) {
        if (relationship != tvwChild)
            throw data::Error(QString("A node can only be added as a child of another node "
                                      "(relationship %1 was asked for).")
                                  .arg(relationship));
        parent = model_->nodes().at(relative).get();
    }
    return model_->nodes().add(parent, text, image);
}

void TreeView::Remove(int index) {
    model_->nodes().remove(*model_->nodes().at(index));
}

void TreeView::RemoveChildren(TreeNode& node) {
    model_->nodes().removeChildren(node);
}

void TreeView::Clear() {
    model_->nodes().clear();
}

int TreeView::Count() const {
    return model_->nodes().count();
}

NodePtr TreeView::Nodes(int index) const {
    return model_->nodes().at(index);
}

NodePtr TreeView::SelectedItem() const {
    const QModelIndexList selected = view_->selectionModel()->selectedIndexes();
    if (selected.isEmpty())
        return nullptr;
    return TreeModel::nodeAt(selected.first())->shared_from_this();
}

void TreeView::setSelectedItem(const TreeNode* node) {
    if (!node) {
        view_->selectionModel()->clear();
        return;
    }
    view_->selectionModel()->setCurrentIndex(indexOf(node), QItemSelectionModel::ClearAndSelect);
}

bool TreeView::Sorted() const {
    return model_->nodes().sorted();
}

void TreeView::setSorted(bool sorted) {
    model_->nodes().setSorted(sorted);
}

void TreeView::setLineStyle(int style) {
    lineStyle_ = style;
    view_->setRootIsDecorated(style == 1);
}

void TreeView::setImageList(const ImageList* images) {
    model_->setImageList(images);
}

QTreeView* TreeView::view() const {
    return view_;
}

QModelIndex TreeView::indexOf(const TreeNode* node) const {
    return model_->indexOf(node);
}

void TreeView::nodeClicked(const QModelIndex& index) {
    // A Ctrl-click can leave the clicked node unselected; a NodeClick always selects it.
    if (!view_->selectionModel()->isSelected(index))
        view_->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
    emit NodeClick(TreeModel::nodeAt(index));
}

void TreeView::moveCurrentOutOf(const TreeNode* parent, int first, int last) {
    const TreeNode* going = TreeModel::nodeAt(view_->currentIndex());
    while (going && NodeCollection::parentOf(*going) != parent)
        going = NodeCollection::parentOf(*going);
    if (!going || NodeCollection::rowOf(*going) < first || NodeCollection::rowOf(*going) > last)
        return;
    const NodeCollection& nodes = model_->nodes();
    const TreeNode* neighbour = nodes.childAt(parent, last + 1);
    if (!neighbour)
        neighbour = first > 0 ? nodes.childAt(parent, first - 1) : parent;
    // Qt would move the current node off a removed row itself, but it then repaints and scrolls
    // at once, laying out every shown node again: emptying a large node one child at a time
    // would take time growing with the square of its size. Moved quietly here, the view catches
    // up on its next paint.
    const QSignalBlocker quiet(view_->selectionModel());
    if (neighbour)
        view_->selectionModel()->setCurrentIndex(indexOf(neighbour),
                                                 QItemSelectionModel::ClearAndSelect);
    else
        view_->selectionModel()->clear();
}

void TreeView::syncExpanded(TreeNode& node) {
    const QModelIndex index = model_->indexOf(&node);
    if (view_->isExpanded(index) != node.Expanded())
        view_->setExpanded(index, node.Expanded());
}

} // namespace ui
