#include "server/PostgresCluster.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStorageInfo>
#include <pwd.h>
#include <stdexcept>

namespace test::server {

namespace {

const QString ServerPrograms = QStringLiteral("/usr/lib/postgresql/15/bin/");

[[noreturn]] void fail(const QString& what) {
    throw std::runtime_error(what.toStdString());
}

// Runs a program to its end, with `input` on its standard input; its output, standard error
// included, when it succeeds.
QString run(const QString& program, const QStringList& arguments, const QString& workingFolder,
            const QString& input = {}) {
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.setWorkingDirectory(workingFolder);
    process.start(program, arguments);
    const QString command = program + ' ' + arguments.join(' ');
    if (!process.waitForStarted())
        fail(QStringLiteral("Cannot start %1: %2").arg(command, process.errorString()));
    process.write(input.toUtf8());
    process.closeWriteChannel();
    // However long it takes on a busy machine: one that never ends is ended by the test's own
    // time-out, not judged by a clock here.
    if (!process.waitForFinished(-1))
        fail(QStringLiteral("%1 did not run to its end: %2").arg(command, process.errorString()));
    const QString output = QString::fromLocal8Bit(process.readAll());
    if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)
        fail(QStringLiteral("%1 failed:\n%2").arg(command, output));
    return output;
}

QString scratchFolder() {
    const QString memory = QStringLiteral("/dev/shm");
    const QStorageInfo storage(memory);
    const bool roomy = storage.isValid() && storage.bytesAvailable() > (qint64(1) << 30);
    return roomy && QFileInfo(memory).isWritable() ? memory : QDir::tempPath();
}

} // namespace

PostgresCluster::PostgresCluster() : folder_(scratchFolder() + "/quarrymere-pg-XXXXXX") {}

PostgresCluster::~PostgresCluster() {
    try {
        stop();
    } catch (const std::exception&) {
        // The folder goes with this object; nothing more can be done about a server that would
        // not stop.
    }
}

QString PostgresCluster::runServerProgram(const QString& name, const QStringList& arguments) const {
    if (geteuid() != 0)
        return run(ServerPrograms + name, arguments, folder_.path());
    return run("runuser", QStringList{"-u", "postgres", "--", ServerPrograms + name} + arguments,
               folder_.path());
}

void PostgresCluster::start() {
    if (!folder_.isValid())
        fail("Cannot make a temporary folder for the PostgreSQL server: " + folder_.errorString());
    if (!QFile::exists(ServerPrograms + "postgres"))
        fail(QStringLiteral("PostgreSQL 15 is not installed (no %1postgres).").arg(ServerPrograms));
    if (geteuid() == 0) {
        const passwd* user = getpwnam("postgres");
        if (!user)
            fail("The tests run as root, but there is no postgres user to run the server as.");
        if (chown(QFile::encodeName(folder_.path()).constData(), user->pw_uid, user->pw_gid) != 0)
            fail("Cannot hand " + folder_.path() + " to the postgres user.");
    }
    const QString data = folder_.filePath("data"), log = folder_.filePath("server.log");
    const auto write = [](const QString& path, const QString& text, QIODevice::OpenMode mode) {
        QFile file(path);
        if (!file.open(mode | QIODevice::WriteOnly | QIODevice::Text) ||
            file.write(text.toUtf8()) < 0)
            fail(QStringLiteral("Cannot write %1.").arg(path));
    };
    runServerProgram("initdb",
                     {"--pgdata", data, "--username", "postgres", "--auth", "trust", "--encoding",
                      "UTF8", "--locale", "C", "--no-sync", "--no-instructions"});
    write(data + "/postgresql.conf",
          QStringLiteral("listen_addresses = ''\nunix_socket_directories = '%1'\nport = %2\n"
                         "fsync = off\nsynchronous_commit = off\nfull_page_writes = off\n")
              .arg(socketDirectory())
              .arg(Port),
          QIODevice::Append);
    write(data + "/pg_hba.conf", "local all postgres trust\nlocal all all scram-sha-256\n",
          QIODevice::Truncate);
    try {
        runServerProgram("pg_ctl",
                         {"--pgdata", data, "--log", log, "--wait", "--timeout", "1200", "start"});
    } catch (const std::runtime_error& e) {
        QFile file(log);
        file.open(QIODevice::ReadOnly);
        fail(QString::fromLocal8Bit(e.what()) + "\nServer log:\n" +
             QString::fromLocal8Bit(file.readAll()));
    }
    running_ = true;
}

void PostgresCluster::stop() {
    if (!running_)
        return;
    running_ = false;
    runServerProgram("pg_ctl",
                     {"--pgdata", folder_.filePath("data"), "--mode", "fast", "--wait", "stop"});
}

void PostgresCluster::runSql(const QString& database, const QString& sql) const {
    run(ServerPrograms + "psql",
        {"--no-psqlrc", "--quiet", "--set", "ON_ERROR_STOP=1", "--host", socketDirectory(),
         "--port", QString::number(Port), "--username", "postgres", "--dbname", database},
        folder_.path(), sql);
}

} // namespace test::server
