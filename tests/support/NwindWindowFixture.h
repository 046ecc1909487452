#pragma once

#include "data/access/AccessFixtures.h"
#include "support/MainWindowFixture.h"
#include "ui/controls/StatusBar.h"
#include "ui/controls/TreeView.h"
#include "ui/main/DataGrid.h"
#include "ui/session/PickerScript.h"

#include <QAction>
#include <QLabel>
#include <QTableView>

// The real window over nwind.mdb, which must be there, clicked on as a person clicks.
class NwindWindowFixture : public MainWindowFixture {
protected:
    void SetUp() override {
        MainWindowFixture::SetUp();
        test::requireFixture(QStringLiteral("access/nwind.mdb"));
    }
    static QString nwind() { return test::access::accessFixture("nwind.mdb"); }
    // Connects to nwind.mdb and lets `picker` play the person at the picker that opens.
    void connectNwind(ui::ScriptedUiSeam::FormScript picker) {
        seam.queueFile(nwind());
        seam.queueForm(std::move(picker));
        form->mnuFileCnctMSACC->trigger();
    }
    // Opens the window, connects to nwind.mdb and picks the table.
    void openTable(const QString& table) {
        openWindow();
        connectNwind(ui::script::pickTable(table));
        ASSERT_TRUE(seam.messages.empty()) << seam.messages[0].text.toStdString();
    }
    QString status() { return form->sbStatusBar->Panels(1)->text(); }
    void click(const tree::NodePtr& node) {
        form->tvTreeView->setSelectedItem(node.get());
        emit form->tvTreeView->NodeClick(node.get());
    }
    // Every row the grid's view has, one line of cell texts each.
    QStringList gridRows() {
        QAbstractItemModel& shown = *form->grdDataGrid->findChild<QTableView*>()->model();
        QStringList rows;
        for (int r = 0; r < shown.rowCount(); ++r) {
            QStringList cells;
            for (int c = 0; c < shown.columnCount(); ++c)
                cells << shown.index(r, c).data().toString();
            rows << cells.join('\t');
        }
        return rows;
    }
    // The texts of one column of gridRows().
    QStringList gridColumn(int c) {
        QStringList cells;
        for (const QString& row : gridRows())
            cells << row.section('\t', c, c);
        return cells;
    }
};
