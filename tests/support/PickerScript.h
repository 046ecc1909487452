#pragma once

#include "ui/dialogs/frmOpenSource.h"
#include "ui/main/TreeView.h"
#include "ui/seam/ScriptedUiSeam.h"

#include <QPushButton>
#include <QStringList>

// Plays the person at the table picker, whose tree lists the tables under their types.
namespace test {

// Selects the first node with this text; null when there is none.
inline ui::NodePtr selectNode(frmOpenSource& picker, const QString& text) {
    for (int i = 1; i <= picker.sTree->Count(); ++i) {
        if (picker.sTree->Nodes(i)->Text() == text) {
            picker.sTree->setSelectedItem(picker.sTree->Nodes(i).get());
            return picker.sTree->Nodes(i);
        }
    }
    return {};
}

// The tables listed, each as "type/table", in the tree's order.
inline QStringList listedTables(frmOpenSource& picker) {
    QStringList tables;
    for (ui::NodePtr type = picker.sTree->Nodes(1)->Child(); type; type = type->Next())
        for (ui::NodePtr table = type->Child(); table; table = table->Next())
            tables << type->Text() + "/" + table->Text();
    return tables;
}

// Picks the table with OK; the tables listed go to `listed` when it is given.
inline ui::ScriptedUiSeam::FormScript pickTable(const QString& table,
                                                QStringList* listed = nullptr) {
    return [=](QDialog& d) {
        auto& picker = static_cast<frmOpenSource&>(d);
        if (listed)
            *listed = listedTables(picker);
        selectNode(picker, table);
        picker.OKButton->click();
    };
}

// Has the record source picker, when it next opens, pick the table or sheet of that name.
inline void queuePick(ui::ScriptedUiSeam& seam, const QString& name) {
    seam.queueForm(pickTable(name));
}

} // namespace test
