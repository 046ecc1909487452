#pragma once

#include "support/AccessWindowFixture.h"
#include "ui/main/DataGrid.h"
#include "ui/main/TreeView.h"
#include "ui/session/PickerScript.h"

#include <QAbstractItemModel>

// The real window connected to nwind.mdb with one of its tables picked, and clicked on as a
// person clicks.
class NwindWindowFixture : public AccessWindowFixture {
protected:
    // Connects to nwind.mdb and picks the table.
    void openTable(const QString& table) {
        openWindow();
        seam.queueFile(test::access::accessFixture("nwind.mdb"));
        ui::script::queuePick(seam, table);
        form->mnuFileCnctMSACC->trigger();
        ASSERT_TRUE(seam.messages.empty()) << seam.messages[0].text.toStdString();
    }
    // Clicks a node as a person does.
    void click(const ui::NodePtr& node) {
        form->tvTreeView->setSelectedItem(node.get());
        emit form->tvTreeView->NodeClick(node.get());
    }
    QStringList children(const ui::NodePtr& node) {
        QStringList texts;
        for (ui::NodePtr c = node->Child(); c; c = c->Next())
            texts << c->Text();
        return texts;
    }
    // Every row the grid shows, read to the end as a person scrolling down would, one line of
    // cell texts each.
    QStringList gridRows() {
        QAbstractItemModel& model = *form->grdDataGrid->dataSource();
        while (model.canFetchMore({}))
            model.fetchMore({});
        QStringList rows;
        for (int r = 0; r < model.rowCount(); ++r) {
            QStringList cells;
            for (int c = 0; c < model.columnCount(); ++c)
                cells << model.index(r, c).data().toString();
            rows << cells.join('\t');
        }
        return rows;
    }
};
