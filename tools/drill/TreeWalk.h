#pragma once

#include "drill/DrillWindow.h"

#include <QString>
#include <QTextStream>
#include <vector>

namespace drill {

// A message box that a click brought up, with the path of the node clicked.
struct ClickMessage {
    tree::NodePtr node;
    QString path;
    Message message;
};

// Clicks the root and every node below it down to depth - 1, each parent before its children,
// so that the tree is built down to `depth`. Returns the message boxes the clicks brought up.
std::vector<ClickMessage> expandTree(DrillWindow& window, int depth);

// Writes the tree from `node` down as the tree's Copy writes it, but with line feeds and every
// built level, whether its parent is open on screen or not: one line per node, as many tabs as
// its depth below `node`, then its text.
void writeTree(QTextStream& out, const tree::NodePtr& node, int depth = 0);

// The values of the node and its ancestors below the root, each its label's text before the
// last " (", joined by " / ": "1 / Speedy Express". The root's is empty.
QString valuePath(const tree::NodePtr& node);

// The first node below `root`, parents before children, whose valuePath is `path` (the root
// itself for an empty path); null when the tree built so far has none.
tree::NodePtr findNode(const tree::NodePtr& root, const QString& path);

} // namespace drill
