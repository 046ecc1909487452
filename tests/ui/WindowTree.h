#pragma once

#include "app/Module1.h"
#include "data/ColumnTypes.h"
#include "support/PickerScript.h"
#include "tree/TreeInvariant.h"
#include "ui/main/TreeView.h"
#include "ui/main/frmMain.h"
#include "ui/seam/ScriptedUiSeam.h"

#include <QPushButton>
#include <gtest/gtest.h>

// Driving the window's grouping tree as a person does: picking a record source and clicking
// nodes.
namespace test {

// Has the record source picker, when it next opens, pick the table or sheet of that name.
inline void queuePick(ui::ScriptedUiSeam& seam, const QString& name) {
    seam.queueForm(pickTable(name));
}

inline void click(frmMain& form, const ui::NodePtr& node) {
    form.tvTreeView->setSelectedItem(node.get());
    emit form.tvTreeView->NodeClick(node.get());
}

// Clicks the node and everything below it open, down to the last column, and checks each node
// as the window shows it: its label counts the rows that the window's condition for it selects,
// with the statistics of the next column over exactly those rows, and its children's counts add
// up to its own. Returns the number of nodes below it.
inline int checkWindowTree(frmMain& form, const ui::NodePtr& node, int depth = 0) {
    const Module1& m = form.state();
    click(form, node);
    EXPECT_EQ(m.SelectedDepth, depth) << node->Text().toStdString();
    const QString condition = form.makeFilter(depth);
    const qlonglong rows = rowsWhere(m.DbConnection, m.RecordSource, condition);
    const data::ColInfoRec& shown = m.ColInfo[depth];
    if (data::ColIsNumeric(shown.ColConv)) {
        const auto statistics =
            statisticsWhere(m.DbConnection, m.RecordSource, shown.ColSQL, condition);
        expectLabelShows(node->Text(), tree::Regional(), rows, &statistics, condition);
    } else {
        expectLabelShows(node->Text(), tree::Regional(), rows, nullptr, condition);
    }
    if (depth == m.FieldCount) {
        EXPECT_EQ(node->Children(), 0) << node->Text().toStdString();
        return 0;
    }
    qlonglong total = 0;
    int below = 0;
    for (ui::NodePtr child = node->Child(); child; child = child->Next()) {
        total += readLabel(child->Text(), tree::Regional()).count;
        below += 1 + checkWindowTree(form, child, depth + 1);
    }
    EXPECT_EQ(total, rows) << "below " << node->Text().toStdString();
    return below;
}

} // namespace test
