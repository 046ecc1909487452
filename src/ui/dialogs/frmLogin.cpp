#include "ui/dialogs/frmLogin.h"

#include "state/Module1.h"
#include "ui/controls/LoadedForms.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

frmLogin::frmLogin(Module1& state, QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                         Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      m_(state) {
    setObjectName("frmLogin");
    setWindowTitle("Oracle Login");

    txtUserName = new QLineEdit(this);
    txtUserName->setObjectName("txtUserName");
    txtPassword = new QLineEdit(this);
    txtPassword->setObjectName("txtPassword");
    txtPassword->setEchoMode(QLineEdit::Password);
    // Every typed character shows as "*".
    txtPassword->setStyleSheet("lineedit-password-character: 42;");
    txtDatabase = new QLineEdit(this);
    txtDatabase->setObjectName("txtDatabase");

    auto* form = new QFormLayout;
    const char* captions[] = {"&User Name:", "&Password:", "Database:"};
    QLineEdit* boxes[] = {txtUserName, txtPassword, txtDatabase};
    for (int i = 0; i < 3; ++i) {
        lblLabels[i] = new QLabel(captions[i], this);
        lblLabels[i]->setBuddy(boxes[i]);
        form->addRow(lblLabels[i], boxes[i]);
    }
    txtUserName->setMinimumWidth(220);

    cmdOK = new QPushButton("OK", this);
    cmdOK->setObjectName("cmdOK");
    cmdOK->setDefault(true);
    cmdCancel = new QPushButton("Cancel", this);
    cmdCancel->setObjectName("cmdCancel");
    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(cmdOK, QDialogButtonBox::AcceptRole);
    buttons->addButton(cmdCancel, QDialogButtonBox::RejectRole);
    // The buttons' own handlers decide what happens, not the box's accept/reject.
    disconnect(buttons, nullptr, this, nullptr);
    connect(cmdOK, &QPushButton::clicked, this, &frmLogin::cmdOK_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &frmLogin::cmdCancel_Click);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    ui::LoadedForms::load(this);
}

void frmLogin::cmdOK_Click() {
    m_.LoginAccepted = true;
    m_.OracleUser = txtUserName->text();
    m_.OraclePassword = txtPassword->text();
    m_.OracleDatabase = txtDatabase->text();
    accept();
    ui::LoadedForms::unload(this);
}

void frmLogin::cmdCancel_Click() {
    m_.LoginAccepted = false;
    QDialog::reject();
}

void frmLogin::reject() {
    cmdCancel_Click();
}
