#include "app/CommandLine.h"
#include "app/ProcessStart.h"
#include "ui/main/frmMain.h"
#include "ui/seam/QtUiSeam.h"
#include "ui/session/MainSession.h"

#include <QApplication>
#include <QFileInfo>
#include <QTextStream>
#include <QTimer>

// The program's start: the data sources it connects through, the shared run state, then the
// main window, which loads its settings before it is shown. A file named on the command line is
// connected to once the window is up, as File > Connect would. The program runs until the last
// window has closed.
int main(int argc, char** argv) {
    // --help and --version answer before the window system is reached, so that they need no
    // display. The rest is read once the application has taken its own options (-platform,
    // -style ...).
    QStringList raw;
    for (int i = 1; i < argc; ++i)
        raw << QString::fromLocal8Bit(argv[i]);
    if (const QString answer = app::answerWithoutWindow(raw); !answer.isEmpty()) {
        QTextStream(stdout) << answer;
        return 0;
    }
    app::ProcessStart start(argc, argv, app::ProcessStart::Platform::Desktop,
                            app::ProcessStart::SettingsStore::User);
    QApplication::setApplicationName("Quarrymere");
    // The desktop entry the window belongs to, so that a Wayland desktop shows its icon and name.
    QGuiApplication::setDesktopFileName("quarrymere");
    const app::CommandLine line = app::readCommandLine(QApplication::arguments().mid(1));
    if (!line.error.isEmpty()) {
        QTextStream(stderr) << "quarrymere: " << line.error << '\n' << app::commandLineUsage();
        return 2;
    }

    ui::QtUiSeam seam;
    ui::MainSession session(seam);
    frmMain& window = session.window();
    window.show();
    if (!line.file.isEmpty()) {
        const QString file = QFileInfo(line.file).absoluteFilePath();
        QTimer::singleShot(0, &window,
                           [&window, file, table = line.table] { window.openFile(file, table); });
    }
    return start.application().exec();
}
