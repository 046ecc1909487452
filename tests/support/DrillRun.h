#pragma once

#include <QProcess>
#include <QRegularExpression>
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

    // After --move and --copy grid:0-1 at the root: what Copy must have written, the header of
    // the first two grid columns and one line per row the root counts, each ended by CR.
    bool copiedRootsFirstTwoColumns(const QString& copied) const {
        const QStringList columns = lines().value(0).section(QStringLiteral(": "), 1).split(" | ");
        const QString root = lines().value(1);
        const qsizetype rows =
            root.section('(', 1).section(QRegularExpression("[;)]"), 0, 0).remove(',').toLongLong();
        return rows > 0 && copied.startsWith(columns.mid(0, 2).join('\t') + '\r') &&
               copied.count('\r') == rows + 1 && copied.endsWith('\r');
    }
};

inline DrillRun runDrill(const QStringList& arguments) {
    QProcess drill;
    drill.start(QStringLiteral(QUARRYMERE_DRILL), arguments);
    DrillRun run;
    if (!drill.waitForFinished(300000) || drill.exitStatus() != QProcess::NormalExit) {
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
