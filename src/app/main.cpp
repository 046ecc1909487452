#include "app/Module1.h"
#include "ui/main/frmMain.h"
#include "ui/seam/QtUiSeam.h"

#include <QApplication>

// The program's start: the shared run state, then the main window, which loads its settings
// before it is shown. The program runs until the last window has closed.
int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("Quarrymere");

    Module1 state;
    ui::QtUiSeam seam;
    state.SourceChosen = false;
    state.RefillPicker = true;

    auto* mainForm = new frmMain(state, seam);
    mainForm->setAttribute(Qt::WA_DeleteOnClose);
    state.MainForm = mainForm;
    mainForm->show();
    return app.exec();
}
