#pragma once

#include <QString>
#include <QStringList>
#include <QTemporaryDir>

namespace test::server {

// A private PostgreSQL 15 server for one test process, in a temporary folder of its own (in
// memory when there is room, where it starts several times faster) that holds its data, log and
// Unix socket; it listens on nothing else. Its superuser "postgres" connects over the socket
// without a password; any other user must give one. Under root, the folder is handed to the
// system's postgres user, as which the server programs run. Failures throw std::runtime_error
// with what went wrong and the programs' own output.
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
    QString runServerProgram(const QString& name, const QStringList& arguments) const;

    QTemporaryDir folder_;
    bool running_ = false;
};

} // namespace test::server
