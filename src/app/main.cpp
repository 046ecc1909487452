#include "app/LocalTimeZone.h"
#include "app/StandardProviders.h"
#include "ui/main/frmMain.h"
#include "ui/seam/QtUiSeam.h"
#include "ui/session/MainSession.h"

#include <QApplication>

// The program's start: the data sources it connects through, the shared run state, then the
// main window, which loads its settings before it is shown. The program runs until the last
// window has closed.
int main(int argc, char** argv) {
    app::readLocalTimeZoneOnce();
    QApplication app(argc, argv);
    QApplication::setApplicationName("Quarrymere");
    app::registerStandardProviders();

    ui::QtUiSeam seam;
    ui::MainSession session(seam);
    session.window().show();
    return app.exec();
}
