#include "ui/main/TreeText.h"

#include "ui/controls/TreeView.h"

namespace ui {

namespace {

// Runs one node's part of the walk; when it fails, what it wrote so far goes again.
template <class Body> void contribute(QString& text, const TreeTextFailure& failed, Body body) {
    const qsizetype before = text.size();
    try {
        body();
    } catch (const std::exception& failure) {
        text.truncate(before);
        failed(failure);
    }
}

void writeNode(const TreeNode& node, int depth, bool onlyVisible, QString& text,
               const TreeTextFailure& failed) {
    text.resize(text.size() + depth, u'\t');
    text += node.Text();
    text += TreeLineEnd;
    if (node.Children() == 0 || (onlyVisible && !node.Expanded()))
        return;
    for (NodePtr child = node.Child(); child; child = child->Next())
        contribute(text, failed, [&] { writeNode(*child, depth + 1, onlyVisible, text, failed); });
}

} // namespace

QString treeText(const TreeView& view, const NodePtr& start, bool onlyVisible,
                 const TreeTextFailure& failed) {
    QString text;
    contribute(text, failed, [&] {
        if (view.Count() == 0)
            return;
        const NodePtr first = start ? start : view.Nodes(1)->Root()->FirstSibling();
        writeNode(*first, 0, onlyVisible, text, failed);
        if (start)
            return;
        for (NodePtr sibling = first->Next(); sibling; sibling = sibling->Next())
            contribute(text, failed, [&] { writeNode(*sibling, 0, onlyVisible, text, failed); });
    });
    return text;
}

} // namespace ui
