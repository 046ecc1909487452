// The program's command line: a file to connect to and a table to pick in it.
#include "app/CommandLine.h"

#include <gtest/gtest.h>

TEST(CommandLine, AFileAndATableOrWhyNotAndHelpAndVersionWithoutAWindow) {
    const struct {
        QStringList arguments;
        QString file, table, error;
    } lines[] = {
        {{}, "", "", ""},
        {{"nwind.mdb"}, "nwind.mdb", "", ""},
        {{"--table", "Order Details", "nwind.mdb"}, "nwind.mdb", "Order Details", ""},
        {{"-"}, "-", "", ""},
        {{"--table", "T"}, "", "", "--table needs a file to pick it from"},
        {{"a.mdb", "--table"}, "", "", "--table needs a value"},
        {{"a.mdb", "--table", "T", "--table", "U"}, "", "", "--table is given twice"},
        {{"a.mdb", "b.xls"}, "", "", "only one file can be opened, not also \"b.xls\""},
        {{"--colour", "red"}, "", "", "unknown option \"--colour\""},
    };
    for (const auto& l : lines) {
        const app::CommandLine line = app::readCommandLine(l.arguments);
        EXPECT_EQ(line.error, l.error) << l.arguments.join(' ').toStdString();
        if (l.error.isEmpty()) {
            EXPECT_EQ(line.file, l.file);
            EXPECT_EQ(line.table, l.table);
        }
    }

    // --help and --version are answered before any window, wherever they stand, but never when
    // they are the name --table gives.
    const QString version = "quarrymere " QUARRYMERE_VERSION "\n";
    const QString usage = app::commandLineUsage();
    const struct {
        QStringList arguments;
        QString answer;
    } asked[] = {
        {{"--version"}, version},
        {{"nwind.mdb", "--help"}, usage},
        {{"-h", "--version"}, usage},
        {{"--version", "--help"}, version},
        {{"nwind.mdb", "--table", "--help"}, ""},
        {{"nwind.mdb", "--table", "--version", "--help"}, usage},
        {{"--versions"}, ""},
    };
    for (const auto& a : asked)
        EXPECT_EQ(app::answerWithoutWindow(a.arguments), a.answer)
            << a.arguments.join(' ').toStdString();
}
