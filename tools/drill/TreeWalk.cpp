#include "drill/TreeWalk.h"

namespace drill {

namespace {

void expandBelow(DrillWindow& window, const tree::NodePtr& node, int nodeDepth, int depth,
                 std::vector<ClickMessage>& messages) {
    if (nodeDepth >= depth)
        return;
    window.click(node);
    for (Message& message : window.takeMessages())
        messages.push_back({node, nodePath(node), std::move(message)});
    for (tree::NodePtr child = node->Child(); child; child = child->Next())
        expandBelow(window, child, nodeDepth + 1, depth, messages);
}

} // namespace

std::vector<ClickMessage> expandTree(DrillWindow& window, int depth) {
    std::vector<ClickMessage> messages;
    expandBelow(window, window.root(), 0, depth, messages);
    return messages;
}

void writeTree(QTextStream& out, const tree::NodePtr& node, int depth) {
    out << QString(depth, QLatin1Char('\t')) << node->Text() << '\n';
    for (tree::NodePtr child = node->Child(); child; child = child->Next())
        writeTree(out, child, depth + 1);
}

QString valuePath(const tree::NodePtr& node) {
    QStringList values;
    for (tree::NodePtr n = node; n && n->Parent(); n = n->Parent())
        values.prepend(n->Text().left(n->Text().lastIndexOf(QStringLiteral(" ("))));
    return values.join(QStringLiteral(" / "));
}

tree::NodePtr findNode(const tree::NodePtr& root, const QString& path) {
    if (path.isEmpty())
        return root;
    for (tree::NodePtr child = root->Child(); child; child = child->Next()) {
        if (valuePath(child) == path)
            return child;
        if (tree::NodePtr found = findNode(child, path))
            return found;
    }
    return nullptr;
}

} // namespace drill
