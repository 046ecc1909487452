#pragma once

#include <QDialog>

struct Module1;
class QLabel;
class QLineEdit;
class QPushButton;

// The database login: user name, password and database as typed. OK hands them over and
// unloads the dialog, so the next login starts empty; Cancel only hides it, so the next login
// shows what was typed before.
class frmLogin : public QDialog {
public:
    frmLogin(Module1& state, QWidget* owner);

    void cmdOK_Click();
    void cmdCancel_Click();

    QLabel* lblLabels[3];
    QLineEdit* txtUserName;
    QLineEdit* txtPassword;
    QLineEdit* txtDatabase;
    QPushButton* cmdOK;
    QPushButton* cmdCancel;

protected:
    // Escape and the window's close box both count as Cancel.
    void reject() override;

private:
    Module1& m_;
};
