#include "app/CommandLine.h"

namespace app {

CommandLine readCommandLine(const QStringList& arguments) {
    CommandLine line;
    auto fail = [&](const QString& error) {
        line.error = error;
        return line;
    };
    bool tableGiven = false;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        if (argument == QLatin1String("--table")) {
            if (tableGiven)
                return fail(QStringLiteral("--table is given twice"));
            if (i + 1 >= arguments.size())
                return fail(QStringLiteral("--table needs a value"));
            tableGiven = true;
            line.table = arguments[++i];
            continue;
        }
        if (argument.startsWith(QLatin1Char('-')) && argument != QLatin1String("-"))
            return fail("unknown option \"" + argument + "\"");
        if (!line.file.isEmpty())
            return fail("only one file can be opened, not also \"" + argument + "\"");
        line.file = argument;
    }
    if (tableGiven && line.file.isEmpty())
        return fail(QStringLiteral("--table needs a file to pick it from"));
    return line;
}

QString answerWithoutWindow(const QStringList& arguments) {
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        if (argument == QLatin1String("--table"))
            ++i;
        else if (argument == QLatin1String("--help") || argument == QLatin1String("-h"))
            return commandLineUsage();
        else if (argument == QLatin1String("--version"))
            return QStringLiteral("quarrymere " QUARRYMERE_VERSION "\n");
    }
    return {};
}

QString commandLineUsage() {
    return QStringLiteral("usage: quarrymere [FILE [--table NAME]]\n"
                          "       quarrymere --help | --version\n"
                          "  FILE          an Access database (.mdb, .accdb) or an Excel workbook "
                          "(.xls, .xlsx, .xlsm) to connect to\n"
                          "  --table NAME  the table or view to open in it, as the picker lists "
                          "it; without it the picker opens\n"
                          "  -h, --help    print this and exit\n"
                          "  --version     print the program's version and exit\n");
}

} // namespace app
