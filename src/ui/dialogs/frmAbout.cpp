#include "ui/dialogs/frmAbout.h"

#include "ui/controls/LoadedForms.h"
#include "ui/controls/Pictures.h"

#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>

namespace {
QFrame* separator(QWidget* parent) {
    auto* line = new QFrame(parent);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    return line;
}
} // namespace

frmAbout::frmAbout(QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                         Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint) {
    setObjectName("frmAbout");
    setWindowTitle("About Quarrymere");
    setAttribute(Qt::WA_DeleteOnClose, false);

    picIcon = new QLabel(this);
    picIcon->setPixmap(ui::appIcon().pixmap(48, 48));
    picIcon->setAlignment(Qt::AlignTop | Qt::AlignHCenter);

    lblVe = new QLabel("Quarrymere v" QUARRYMERE_VERSION, this);
    QFont big = lblVe->font();
    big.setPointSizeF(big.pointSizeF() * 1.4);
    big.setBold(true);
    lblVe->setFont(big);
    Label2 = new QLabel("The Ledgerline", this);
    Label1 = new QLabel("November 2000", this);
    Label3 = new QLabel("Written by the Quarrymere developers.", this);
    Label4 = new QLabel("Questions and reports: the Quarrymere project's issue tracker.", this);
    Label4->setWordWrap(true);

    Text1 = new QPlainTextEdit(this);
    Text1->setReadOnly(true);
    Text1->setPlainText(
        "Quarrymere only reads: it opens databases, workbooks and server connections read-only "
        "and never changes, locks or saves the data it shows. Counts and statistics are "
        "computed by the data source at the moment a node is opened; check figures that "
        "matter against the source itself. The program comes with no warranty of any kind, "
        "and its authors accept no liability for decisions made with its help.");
    Text1->setFixedHeight(96);

    Line1[0] = separator(this);
    Line1[1] = separator(this);

    cmdOK = new QPushButton("OK", this);
    cmdOK->setDefault(true);
    cmdOK->setAutoDefault(true);
    connect(cmdOK, &QPushButton::clicked, this, &frmAbout::cmdOK_Click);

    auto* grid = new QGridLayout(this);
    grid->addWidget(picIcon, 0, 0, 3, 1);
    grid->addWidget(lblVe, 0, 1);
    grid->addWidget(Label2, 1, 1);
    grid->addWidget(Label1, 2, 1);
    grid->addWidget(Line1[0], 3, 0, 1, 2);
    grid->addWidget(Label3, 4, 1);
    grid->addWidget(Label4, 5, 1);
    grid->addWidget(Text1, 6, 0, 1, 2);
    grid->addWidget(Line1[1], 7, 0, 1, 2);
    grid->addWidget(cmdOK, 8, 1, Qt::AlignRight);
    grid->setColumnMinimumWidth(1, 340);
    grid->setSizeConstraint(QLayout::SetFixedSize);

    ui::LoadedForms::load(this);
}

void frmAbout::cmdOK_Click() {
    accept();
    ui::LoadedForms::unload(this);
}

void frmAbout::reject() {
    cmdOK->click();
}
