#include "server/ServerConnection.h"

#include "data/Connection.h"
#include "data/ConnectionString.h"
#include "data/Provider.h"
#include "data/Recordset.h"
#include "data/odbc/AttributeValue.h"
#include "data/odbc/OdbcProvider.h"

namespace test::server {

namespace {

const QString ProviderName = QStringLiteral("Quarrymere.Test.ODBC");

void registerTestProvider() {
    static const bool registered = [] {
        data::registerProvider(ProviderName, [](const data::ConnectionString& cs, int mode) {
            using data::odbc::attributeValue;
            return data::odbc::openOdbcProvider("DSN=" + attributeValue(cs.value("Data Source")) +
                                                    ";UID=" + attributeValue(cs.value("User ID")) +
                                                    ";PWD=" + attributeValue(cs.value("Password")),
                                                mode == data::ado::adModeRead);
        });
        return true;
    }();
    (void)registered;
}

} // namespace

std::shared_ptr<data::Connection> connectToServer(int mode, const QString& password) {
    registerTestProvider();
    auto connection = std::make_shared<data::Connection>();
    connection->Mode = mode;
    connection->Open("Provider=" + ProviderName +
                         ";Data Source=" + data::ConnectionString::quoteValue(dataSource().dsn),
                     dataSource().user, password);
    return connection;
}

std::shared_ptr<data::Recordset> query(const std::shared_ptr<data::Connection>& connection,
                                       const QString& statement, int cursorType) {
    auto recordset = std::make_shared<data::Recordset>();
    recordset->Open(statement, connection, cursorType, data::ado::adLockReadOnly);
    return recordset;
}

} // namespace test::server
