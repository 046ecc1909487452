#include "server/PostgresCluster.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStorageInfo>
#include <pwd.h>
#include <stdexcept>
#include <unistd.h>

namespace test::server {

namespace {

const QString ServerPrograms = QStringLiteral("/usr/lib/postgresql/15/bin/");

[[noreturn]] void fail(const QString& what) {
    throw std::runtime_error(what.toStdString());
}

bool runningAsRoot() {
    return geteuid() == 0;
}

// Hands the folder to the postgres user, which the server programs run as under root.
void giveToServerUser(const QString& folder) {
    const passwd* user = getpwnam("postgres");
    if (!user)
        fail(QStringLiteral("The tests run as root, but there is no postgres user to run the "
                            "PostgreSQL server as."));
    if (chown(QFile::encodeName(folder).constData(), user->pw_uid, user->pw_gid) != 0)
        fail(QStringLiteral("Cannot hand %1 to the postgres user.").arg(folder));
}

// Runs a program to its end, with `input` on its standard input; its output, standard error
// included, when it succeeds.
QString run(const QString& program, const QStringList& arguments, const QString& workingFolder,
            const QString& input = {}) {
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.setWorkingDirectory(workingFolder);
    process.start(program, arguments);
    const QString command = program + QLatin1Char(' ') + arguments.join(QLatin1Char(' '));
    if (!process.waitForStarted())
        fail(QStringLiteral("Cannot start %1: %2").arg(command, process.errorString()));
    process.write(input.toUtf8());
    process.closeWriteChannel();
    if (!process.waitForFinished(60000)) {
        process.kill();
        process.waitForFinished();
        fail(QStringLiteral("%1 did not finish within a minute.").arg(command));
    }
    const QString output = QString::fromLocal8Bit(process.readAll());
    if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)
        fail(QStringLiteral("%1 failed:\n%2").arg(command, output));
    return output;
}

void write(const QString& path, QIODevice::OpenMode mode, const QString& text) {
    QFile file(path);
    if (!file.open(mode | QIODevice::WriteOnly | QIODevice::Text) || file.write(text.toUtf8()) < 0)
        fail(QStringLiteral("Cannot write %1.").arg(path));
}

// Where the server's folder goes: in memory when there is plenty of room there, since the server
// starts several times faster than on a disk; otherwise in the temporary folder.
QString scratchFolder() {
    const QString memory = QStringLiteral("/dev/shm");
    const QStorageInfo storage(memory);
    if (QFileInfo(memory).isWritable() && storage.isValid() &&
        storage.bytesAvailable() > (qint64(1) << 30))
        return memory;
    return QDir::tempPath();
}

} // namespace

PostgresCluster::PostgresCluster() : folder_(scratchFolder() + "/quarrymere-pg-XXXXXX") {}

PostgresCluster::~PostgresCluster() {
    try {
        stop();
    } catch (const std::exception&) {
        // The folder goes with this object; nothing more can be done about a server that
        // would not stop.
    }
}

QString PostgresCluster::dataDirectory() const {
    return folder_.filePath(QStringLiteral("data"));
}

QString PostgresCluster::serverLog() const {
    return folder_.filePath(QStringLiteral("server.log"));
}

QString PostgresCluster::runServerProgram(const QString& name, const QStringList& arguments) const {
    if (!runningAsRoot())
        return run(ServerPrograms + name, arguments, folder_.path());
    return run(QStringLiteral("runuser"),
               QStringList{"-u", "postgres", "--", ServerPrograms + name} + arguments,
               folder_.path());
}

void PostgresCluster::start() {
    if (!folder_.isValid())
        fail(QStringLiteral("Cannot make a temporary folder for the PostgreSQL server: %1")
                 .arg(folder_.errorString()));
    if (!QFile::exists(ServerPrograms + "postgres"))
        fail(QStringLiteral("PostgreSQL 15 is not installed (no %1postgres).").arg(ServerPrograms));
    if (runningAsRoot())
        giveToServerUser(folder_.path());

    runServerProgram("initdb",
                     {"--pgdata", dataDirectory(), "--username", "postgres", "--auth", "trust",
                      "--encoding", "UTF8", "--locale", "C", "--no-sync", "--no-instructions"});
    write(dataDirectory() + "/postgresql.conf", QIODevice::Append,
          QStringLiteral("listen_addresses = ''\nunix_socket_directories = '%1'\nport = %2\n"
                         "fsync = off\nsynchronous_commit = off\nfull_page_writes = off\n")
              .arg(socketDirectory())
              .arg(Port));
    write(dataDirectory() + "/pg_hba.conf", QIODevice::Truncate,
          QStringLiteral("local all postgres trust\nlocal all all scram-sha-256\n"));
    try {
        runServerProgram("pg_ctl", {"--pgdata", dataDirectory(), "--log", serverLog(), "--wait",
                                    "--timeout", "30", "start"});
    } catch (const std::runtime_error& e) {
        QFile log(serverLog());
        log.open(QIODevice::ReadOnly);
        fail(QString::fromLocal8Bit(e.what()) + "\nServer log:\n" +
             QString::fromLocal8Bit(log.readAll()));
    }
    running_ = true;
}

void PostgresCluster::stop() {
    if (!running_)
        return;
    running_ = false;
    runServerProgram("pg_ctl", {"--pgdata", dataDirectory(), "--mode", "fast", "--wait", "stop"});
}

void PostgresCluster::runSql(const QString& database, const QString& sql) const {
    run(ServerPrograms + "psql",
        {"--no-psqlrc", "--quiet", "--set", "ON_ERROR_STOP=1", "--host", socketDirectory(),
         "--port", QString::number(Port), "--username", "postgres", "--dbname", database},
        folder_.path(), sql);
}

} // namespace test::server
