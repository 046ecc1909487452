// The tree shows its labels whole: its column is as wide as the widest label, which it measures
// once and again only when the label or the font changes.
#include "ui/main/TreeView.h"

#include <QApplication>
#include <QHeaderView>
#include <QTreeView>
#include <gtest/gtest.h>

namespace {

TEST(TreeLabelWidth, FitsTheWidestLabelAsLabelsAndTheFontChange) {
    ui::TreeView tree;
    tree.resize(120, 200);
    tree.show();
    auto* view = tree.findChild<QTreeView*>();
    ASSERT_NE(view, nullptr);
    const auto fits = [&](const QString& text) {
        QApplication::processEvents(); // the tree lays its items out when idle
        return view->header()->sectionSize(0) >= view->fontMetrics().horizontalAdvance(text);
    };
    const ui::NodePtr node = tree.Add(0, 0, "", "Short", "closed");
    const QString wide = "A label far wider than the tree, with its count (1,000,000)";
    EXPECT_TRUE(fits("Short"));
    EXPECT_FALSE(fits(wide));
    node->setText(wide);
    EXPECT_TRUE(fits(wide));
    QFont larger = view->font();
    larger.setPointSizeF(larger.pointSizeF() * 2);
    view->setFont(larger);
    EXPECT_TRUE(fits(wide));
}

} // namespace
