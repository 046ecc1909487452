#pragma once

#include <QString>
#include <QStringList>
#include <QTemporaryDir>

namespace test::server {

// A private PostgreSQL 15 server for one test process, in a temporary folder of its own: the
// data folder, the server log and the Unix socket all live there, and the server listens on
// nothing else. Its superuser "postgres" connects over the socket without a password; any
// other user must give one. PostgreSQL refuses to run as root, so when the tests run as root
// the folder is handed to the system's postgres user and the server programs run as that user.
// Every failure throws std::runtime_error with what went wrong and the programs' own output.
//
// The folder is in memory (/dev/shm) when there is room there, where the server starts several
// times faster than on a disk.
class PostgresCluster {
public:
    PostgresCluster();
    PostgresCluster(const PostgresCluster&) = delete;
    PostgresCluster& operator=(const PostgresCluster&) = delete;
    ~PostgresCluster(); // stops the server if it runs

    void start();
    void stop();

    // Runs SQL statements one by one as the superuser in a database, stopping at the first error.
    void runSql(const QString& database, const QString& sql) const;

    QString socketDirectory() const { return folder_.path(); }
    static constexpr int Port = 5432;

private:
    QString dataDirectory() const;
    QString serverLog() const;
    // Runs one of the server's programs, as the postgres user when the tests run as root.
    QString runServerProgram(const QString& name, const QStringList& arguments) const;

    QTemporaryDir folder_;
    bool running_ = false;
};

} // namespace test::server
