#include "drill/TreeWalk.h"

namespace drill {

namespace {

void expandBelow(DrillWindow& window, const ui::NodePtr& node, int nodeDepth, int depth,
                 std::vector<ClickMessage>& messages) {
    if (nodeDepth >= depth)
        return;
    window.click(node);
    for (Message& message : window.takeMessages())
        messages.push_back({node, nodePath(node), std::move(message)});
    for (ui::NodePtr child = node->Child(); child; child = child->Next())
        expandBelow(window, child, nodeDepth + 1, depth, messages);
}

} // namespace

std::vector<ClickMessage> expandTree(DrillWindow& window, int depth) {
    std::vector<ClickMessage> messages;
    expandBelow(window, window.root(), 0, depth, messages);
    return messages;
}

void writeTree(QTextStream& out, const ui::NodePtr& node, int depth) {
    out << QString(depth, QLatin1Char('\t')) << node->Text() << '\n';
    for (ui::NodePtr child = node->Child(); child; child = child->Next())
        writeTree(out, child, depth + 1);
}

QString valuePath(const ui::NodePtr& node) {
    QStringList values;
    for (ui::NodePtr n = node; n && n->Parent(); n = n->Parent())
        values.prepend(n->Text().left(n->Text().lastIndexOf(QStringLiteral(" ("))));
    return values.join(QStringLiteral(" / "));
}

ui::NodePtr findNode(const ui::NodePtr& root, const QString& path) {
    if (path.isEmpty())
        return root;
    for (ui::NodePtr child = root->Child(); child; child = child->Next()) {
        if (valuePath(child) == path)
            return child;
        if (ui::NodePtr found = findNode(child, path))
            return found;
    }
    return nullptr;
}

} // namespace drill
