#pragma once

#include <QDialog>

class QLabel;
class QPlainTextEdit;
class QPushButton;
class QFrame;

// The About box: the program's name, version and a disclaimer. Nothing in it changes while it
// is shown; OK, Enter and Escape all close it, and closing unloads it.
class frmAbout : public QDialog {
public:
    explicit frmAbout(QWidget* owner);

    void cmdOK_Click();

    QLabel* picIcon;
    QLabel* lblVe;
    QLabel* Label2;
    QLabel* Label1;
    QLabel* Label3;
    QLabel* Label4;
    QPlainTextEdit* Text1;
    QFrame* Line1[2];
    QPushButton* cmdOK;

protected:
    // Escape presses OK: the one button is also the cancel button.
    void reject() override;
};
