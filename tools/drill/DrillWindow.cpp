#include "drill/DrillWindow.h"

#include "drill/Options.h"
#include "tree/DateGrouping.h"
#include "ui/dialogs/frmLogin.h"
#include "ui/dialogs/frmOpenSource.h"
#include "ui/main/TreeView.h"
#include "ui/main/frmMain.h"

#include <QAction>
#include <QFileInfo>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>

namespace drill {

namespace {

// Plays the person at the login form: types the three boxes and presses OK.
ui::ScriptedUiSeam::FormScript login(const Options& options) {
    return [user = options.user, password = options.password,
            database = options.database](QDialog& form) {
        auto& dialog = static_cast<frmLogin&>(form);
        dialog.txtUserName->setText(user);
        dialog.txtPassword->setText(password);
        dialog.txtDatabase->setText(database);
        dialog.cmdOK->click();
    };
}

} // namespace

DrillWindow::DrillWindow() {
    state_.SourceChosen = false;
    state_.RefillPicker = true;
    form_ = std::make_unique<frmMain>(state_, seam_);
    state_.MainForm = form_.get();
    // The window stays hidden: its handlers work the same, and nothing is laid out or painted
    // for no one to see.
}

DrillWindow::~DrillWindow() = default;

ui::NodePtr DrillWindow::root() const {
    return form_->tvTreeView->Nodes(1);
}

std::optional<QString> DrillWindow::open(const Options& options) {
    form_->mnuView->actions().at(tree::DateGroupKeywords.indexOf(options.dateGroup))->trigger();
    if (form_->mnuExtrasAutoQ->isChecked() != options.autoQuery)
        form_->mnuExtrasAutoQ->trigger();

    if (options.source == SourceKind::Oracle)
        seam_.queueForm(login(options));
    // The picker: the table whose text is the one asked for, or Cancel when there is none.
    struct Pick {
        bool found = false;
        QStringList offered;
    };
    const auto pick = std::make_shared<Pick>();
    seam_.queueForm([pick, table = options.table](QDialog& form) {
        auto& picker = static_cast<frmOpenSource&>(form);
        for (int i = 1; i <= picker.sTree->Count(); ++i) {
            const ui::NodePtr node = picker.sTree->Nodes(i);
            if (node->Tag() != "tTable")
                continue;
            pick->offered << node->Text();
            if (!pick->found && node->Text() == table) {
                picker.sTree->setSelectedItem(node.get());
                pick->found = true;
            }
        }
        (pick->found ? picker.OKButton : picker.CancelButton)->click();
    });

    // The file dialog answers with the full path, as it does for a person.
    const QString file = QFileInfo(options.file).absoluteFilePath();
    switch (options.source) {
    case SourceKind::Access:
        seam_.queueFile(file);
        form_->mnuFileCnctMSACC->trigger();
        break;
    case SourceKind::Excel:
        seam_.queueFile(file);
        form_->mnuFileCnctExl->trigger();
        break;
    case SourceKind::Oracle:
        form_->mnuFileCnctODBC->trigger();
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
        QString names = pick->offered.mid(0, Shown).join(", ");
        if (pick->offered.size() > Shown)
            names += QStringLiteral(" and %1 more").arg(pick->offered.size() - Shown);
        return "The source has no table \"" + options.table + "\"; its tables are: " + names + ".";
    }
    return std::nullopt;
}

void DrillWindow::click(const ui::NodePtr& node) {
    form_->tvTreeView->setSelectedItem(node.get());
    emit form_->tvTreeView->NodeClick(node.get());
}

void DrillWindow::updateDetails(const ui::NodePtr& node, int depth) {
    form_->tvTreeView->setSelectedItem(node.get());
    state_.SelectedDepth = depth;
    form_->mnuExtrasUpdDtls->trigger();
}

std::vector<Message> DrillWindow::takeMessages() {
    std::vector<Message> fresh(seam_.messages.begin() + std::ptrdiff_t(messagesTaken_),
                               seam_.messages.end());
    messagesTaken_ = seam_.messages.size();
    return fresh;
}

QString nodePath(const ui::NodePtr& node) {
    QStringList texts;
    for (ui::NodePtr n = node; n; n = n->Parent())
        texts.prepend(n->Text());
    return texts.join(QStringLiteral(" / "));
}

QString messageText(const Message& message) {
    return "message box \"" + message.title + "\": " + message.text;
}

} // namespace drill
