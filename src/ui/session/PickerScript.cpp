#include "ui/session/PickerScript.h"

#include "ui/controls/TreeView.h"
#include "ui/dialogs/frmLogin.h"
#include "ui/dialogs/frmOpenSource.h"

#include <QLineEdit>
#include <QPushButton>

namespace ui::script {

NodePtr selectNode(frmOpenSource& picker, const QString& text) {
    for (int i = 1; i <= picker.sTree->Count(); ++i) {
        if (picker.sTree->Nodes(i)->Text() == text) {
            picker.sTree->setSelectedItem(picker.sTree->Nodes(i).get());
            return picker.sTree->Nodes(i);
        }
    }
    return {};
}

QStringList listedTables(frmOpenSource& picker) {
    QStringList tables;
    for (NodePtr type = picker.sTree->Nodes(1)->Child(); type; type = type->Next())
        for (NodePtr table = type->Child(); table; table = table->Next())
            tables << type->Text() + "/" + table->Text();
    return tables;
}

ScriptedUiSeam::FormScript pickTable(const QString& table, std::shared_ptr<Pick> pick) {
    return [table, pick](QDialog& form) {
        auto& picker = static_cast<frmOpenSource&>(form);
        Pick seen;
        seen.listed = listedTables(picker);
        NodePtr chosen;
        for (int i = 1; i <= picker.sTree->Count(); ++i) {
            const NodePtr node = picker.sTree->Nodes(i);
            if (frmOpenSource::roleOf(*node) != frmOpenSource::Role::Table)
                continue;
            seen.tables << node->Text();
            if (!chosen && node->Text() == table)
                chosen = node;
        }
        seen.found = chosen != nullptr;
        if (pick)
            *pick = seen;
        if (!chosen) {
            picker.CancelButton->click();
            return;
        }
        picker.sTree->setSelectedItem(chosen.get());
        picker.OKButton->click();
    };
}

void queuePick(ScriptedUiSeam& seam, const QString& table) {
    seam.queueForm(pickTable(table));
}

ScriptedUiSeam::FormScript login(const QString& user, const QString& password,
                                 const QString& database) {
    return [=](QDialog& form) {
        auto& dialog = static_cast<frmLogin&>(form);
        dialog.txtUserName->setText(user);
        dialog.txtPassword->setText(password);
        dialog.txtDatabase->setText(database);
        dialog.cmdOK->click();
    };
}

} // namespace ui::script
