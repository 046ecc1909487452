#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>
#include <gtest/gtest.h>

// Runs build/quarrymere-drill, the headless driver of the program's window, as a process of its
// own, the way a developer runs it from a shell.
namespace test {

struct DrillRun {
    int status = -1;
    QString out;
    QString err;

    QStringList lines() const { return out.split('\n', Qt::SkipEmptyParts); }
    // The last line written, empty when the drill wrote none (it did not start, say).
    QString lastLine() const { return lines().value(lines().size() - 1); }
};

inline DrillRun runDrill(const QStringList& arguments) {
    QProcess drill;
    drill.start(QStringLiteral(QUARRYMERE_DRILL), arguments);
    DrillRun run;
    // However long it takes on a busy machine: a drill that never ends is ended by the test's
    // own time-out, not judged by a clock here.
    if (!drill.waitForFinished(-1) || drill.exitStatus() != QProcess::NormalExit) {
        ADD_FAILURE() << "quarrymere-drill did not run to its end: "
                      << drill.errorString().toStdString();
        return run;
    }
    run.status = drill.exitCode();
    run.out = QString::fromUtf8(drill.readAllStandardOutput());
    run.err = QString::fromUtf8(drill.readAllStandardError());
    return run;
}

} // namespace test
