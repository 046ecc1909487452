#pragma once

#include <QString>
#include <QStringList>

namespace app {

// What the program is asked to open when it starts: quarrymere [FILE [--table NAME]].
struct CommandLine {
    QString file;  // an Access database or Excel workbook; empty: start with no source
    QString table; // the table or view to pick in it; empty: the picker opens
    QString error; // empty when the arguments are good
};

// Reads the arguments after the program's name (and after the options the application takes
// for itself). --table needs a file; an unknown option, a second file or a missing value is an
// error. --help and --version are answered before this.
CommandLine readCommandLine(const QStringList& arguments);

// What the program prints and exits with before it reaches the window system, so that it needs
// no display: the usage for --help (or -h), the name and version for --version, whichever comes
// first. Empty when the arguments ask for the window. The value of --table is a name, never one
// of these.
QString answerWithoutWindow(const QStringList& arguments);

// The usage lines shown by --help and after a bad argument.
QString commandLineUsage();

} // namespace app
