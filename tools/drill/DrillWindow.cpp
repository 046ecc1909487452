#include "drill/DrillWindow.h"

#include "data/DateGroup.h"
#include "drill/Options.h"
#include "ui/controls/TreeView.h"
#include "ui/main/DataGrid.h"
#include "ui/main/frmMain.h"
#include "ui/session/PickerScript.h"

#include <QAction>
#include <QApplication>
#include <QFileInfo>
#include <QMenu>

namespace drill {

// The window is shown (on the offscreen platform unless another is asked for) at the size it
// takes from its settings, so that the grid lays out and reads its rows as it does on a desktop.
DrillWindow::DrillWindow() {
    form().show();
    QApplication::processEvents();
}

DrillWindow::~DrillWindow() = default;

tree::NodePtr DrillWindow::root() {
    return form().tvTreeView->Nodes(1);
}

std::optional<QString> DrillWindow::open(const Options& options) {
    form().mnuView->actions().at(int(options.dateGroup))->trigger();
    if (form().mnuExtrasAutoQ->isChecked() != options.autoQuery)
        form().mnuExtrasAutoQ->trigger();

    if (options.source == SourceKind::Oracle)
        seam_.queueForm(ui::script::login(options.user, options.password, options.database));
    // The picker: the table whose text is the one asked for, or Cancel when there is none.
    const auto pick = std::make_shared<ui::script::Pick>();
    seam_.queueForm(ui::script::pickTable(options.table, pick));

    // The file dialog answers with the full path, as it does for a person.
    const QString file = QFileInfo(options.file).absoluteFilePath();
    switch (options.source) {
    case SourceKind::Access:
        seam_.queueFile(file);
        form().mnuFileCnctMSACC->trigger();
        break;
    case SourceKind::Excel:
        seam_.queueFile(file);
        form().mnuFileCnctExl->trigger();
        break;
    case SourceKind::Oracle:
        form().mnuFileCnctODBC->trigger();
        break;
    case SourceKind::None:
        return QStringLiteral("No data source was given.");
    }

    QStringList shown;
    for (const Message& message : takeMessages())
        shown << message.text;
    if (!shown.isEmpty())
        return shown.join('\n');
    if (!pick->found) {
        // A server may hold thousands of tables; the first ones show how names are written.
        constexpr qsizetype Shown = 40;
        QString names = pick->tables.mid(0, Shown).join(", ");
        if (pick->tables.size() > Shown)
            names += QStringLiteral(" and %1 more").arg(pick->tables.size() - Shown);
        return "The source has no table \"" + options.table + "\"; its tables are: " + names + ".";
    }
    return std::nullopt;
}

void DrillWindow::click(const tree::NodePtr& node) {
    // As a person would who waits for the window to be idle between clicks.
    form().finishPreparing();
    form().tvTreeView->setSelectedItem(node.get());
    emit form().tvTreeView->NodeClick(node.get());
}

void DrillWindow::updateDetails(const tree::NodePtr& node, int depth) {
    form().tvTreeView->setSelectedItem(node.get());
    state().SelectedDepth = depth;
    form().mnuExtrasUpdDtls->trigger();
}

QString DrillWindow::copy(const CopyRequest& request) {
    if (request.pane == CopyRequest::Pane::Tree) {
        form().tvTreeView_GotFocus();
    } else {
        form().grdDataGrid_GotFocus();
        form().grdDataGrid->setSelStartCol(request.first);
        form().grdDataGrid->setSelEndCol(request.last);
    }
    form().mnuEditCopy->trigger();
    return seam_.clipboard;
}

std::vector<Message> DrillWindow::takeMessages() {
    std::vector<Message> fresh(seam_.messages.begin() + std::ptrdiff_t(messagesTaken_),
                               seam_.messages.end());
    messagesTaken_ = seam_.messages.size();
    return fresh;
}

QString nodePath(const tree::NodePtr& node) {
    QStringList texts;
    for (tree::NodePtr n = node; n; n = n->Parent())
        texts.prepend(n->Text());
    return texts.join(QStringLiteral(" / "));
}

QString messageText(const Message& message) {
    return "message box \"" + message.title + "\": " + message.text;
}

} // namespace drill
