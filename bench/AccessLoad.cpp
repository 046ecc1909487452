#include "AccessLoad.h"

#include "Stopwatch.h"
#include "data/Error.h"
#include "data/access/AccessFile.h"
#include "data/jet/Engine.h"
#include "data/jet/TableLoader.h"

#include <QFile>
#include <QStandardPaths>
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace bench {

namespace {

QStringList userTables(const data::access::AccessFile& file) {
    QStringList names;
    for (const data::TableEntry& entry : file.tableEntries())
        if (entry.type == u"TABLE")
            names << entry.name;
    return names;
}

// Opens the file and loads each table into a new engine; the rows in all of them.
long long loadAll(const QString& path, const QStringList& tables) {
    auto file = std::make_shared<data::access::AccessFile>(path);
    data::jet::Engine engine(file);
    long long rows = 0;
    for (const QString& name : tables) {
        const data::jet::TableInfo* table = engine.findTable(name);
        data::jet::Statement count =
            engine.prepare("SELECT count(*) FROM " + data::jet::quotedIdentifier(table->name));
        count.step();
        rows += count.value(0).toLongLong();
    }
    return rows;
}

// Runs `mdb-export path table` with its output going nowhere; fails unless it exits with 0.
// The processor time the process used.
double exportTable(const QString& program, const QString& path, const QString& table) {
    const QByteArray programPath = QFile::encodeName(program);
    const QByteArray file = QFile::encodeName(path);
    const QByteArray name = table.toUtf8();
    char* const arguments[] = {const_cast<char*>(programPath.constData()),
                               const_cast<char*>(file.constData()),
                               const_cast<char*>(name.constData()), nullptr};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    pid_t child = 0;
    const int rc =
        posix_spawn(&child, programPath.constData(), &actions, nullptr, arguments, environ);
    posix_spawn_file_actions_destroy(&actions);
    int status = 0;
    rusage usage{};
    if (rc != 0 || wait4(child, &status, 0, &usage) != child || !WIFEXITED(status) ||
        WEXITSTATUS(status) != 0)
        throw data::Error(QStringLiteral("mdb-export failed on table '%1'.").arg(table));
    const auto seconds = [](const timeval& t) {
        return double(t.tv_sec) + double(t.tv_usec) * 1e-6;
    };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

} // namespace

AccessLoadTiming timeAccessLoad(const QString& path, int runs) {
    AccessLoadTiming timing;
    timing.tables = userTables(data::access::AccessFile(path));
    std::vector<Timing> engine;
    for (int run = 0; run <= runs; ++run) { // the first run is not counted
        const Timing t = timeOf([&] { timing.rows = loadAll(path, timing.tables); });
        if (run > 0)
            engine.push_back(t);
    }
    timing.engine = median(engine);

    const QString program = QStandardPaths::findExecutable(QStringLiteral("mdb-export"));
    timing.mdbExportFound = !program.isEmpty();
    if (!timing.mdbExportFound)
        return timing;
    std::vector<Timing> exports;
    for (int run = 0; run <= runs; ++run) {
        double childCpu = 0;
        Timing t = timeOf([&] {
            for (const QString& table : timing.tables)
                childCpu += exportTable(program, path, table);
        });
        t.cpu = childCpu;
        if (run > 0)
            exports.push_back(t);
    }
    timing.mdbExport = median(exports);
    return timing;
}

} // namespace bench
