#include "server/ServerConnection.h"

#include "data/Connection.h"
#include "data/Dialect.h"
#include "data/Recordset.h"
#include "data/odbc/AttributeValue.h"

#include <QFile>
#include <gtest/gtest.h>

namespace test::server {

namespace {

// A failure rather than a fatal one, which would make gtest report the tests as skipped.
class ServerEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        try {
            QFile sql(QStringLiteral(QUARRYMERE_SERVER_SQL));
            if (!sql.open(QIODevice::ReadOnly))
                throw std::runtime_error("Cannot read " QUARRYMERE_SERVER_SQL);
            served_ = std::make_unique<ServedDatabase>(QString::fromUtf8(sql.readAll()));
        } catch (const std::exception& e) {
            ADD_FAILURE() << "The PostgreSQL server for the server tests could not be set up.\n"
                          << e.what();
        }
    }
    void TearDown() override { served_.reset(); }

private:
    std::unique_ptr<ServedDatabase> served_;
};

[[maybe_unused]] const auto* const environment =
    ::testing::AddGlobalTestEnvironment(new ServerEnvironment);

} // namespace

std::shared_ptr<data::Connection> connectToServer(const QString& password) {
    auto connection = std::make_shared<data::Connection>();
    connection->Mode = data::ado::adModeRead;
    connection->Open(data::oracleConnectionString(dataSource().dsn, dataSource().user, password));
    return connection;
}

QString odbcConnectionString(const QString& password) {
    using data::odbc::attributeValue;
    return "DSN=" + attributeValue(dataSource().dsn) + ";UID=" + attributeValue(dataSource().user) +
           ";PWD=" + attributeValue(password);
}

std::shared_ptr<data::Recordset> query(const std::shared_ptr<data::Connection>& connection,
                                       const QString& statement, int cursorType) {
    auto recordset = std::make_shared<data::Recordset>();
    recordset->Open(statement, connection, cursorType, data::ado::adLockReadOnly);
    return recordset;
}

} // namespace test::server
