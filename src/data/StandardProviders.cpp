#include "data/StandardProviders.h"

#include "data/ConnectionString.h"
#include "data/Dialect.h"
#include "data/DriverList.h"
#include "data/Provider.h"
#include "data/access/AccessFile.h"
#include "data/jet/JetProvider.h"
#include "data/odbc/AttributeValue.h"
#include "data/odbc/OdbcProvider.h"
#include "data/workbook/WorkbookProvider.h"

namespace data {

namespace {

std::unique_ptr<Provider> openAccess(const ConnectionString& cs, int) {
    auto file = std::make_shared<access::AccessFile>(cs.value("Data Source"));
    return std::make_unique<jet::JetProvider>(file, [file] { return file->tableEntries(); });
}

// A workbook through the program's own driver, or any other ODBC driver the user's driver name
// points to, which then gets the statements unchanged. Server and file connections alike are
// opened read-only.
std::unique_ptr<Provider> openOdbcBridge(const ConnectionString& cs, int) {
    const QString driver = cs.value("Driver");
    const QString file = cs.value("DBQ");
    if (driver == BuiltInWorkbookDriver)
        return workbook::openWorkbookProvider(file);
    return odbc::openOdbcProvider(
        "DRIVER=" + odbc::attributeValue(driver) + ";DBQ=" + odbc::attributeValue(file), true);
}

// The database typed at login names an ODBC data source.
std::unique_ptr<Provider> openServer(const ConnectionString& cs, int) {
    return odbc::openOdbcProvider("DSN=" + odbc::attributeValue(cs.value("Data Source")) +
                                      ";UID=" + odbc::attributeValue(cs.value("User ID")) +
                                      ";PWD=" + odbc::attributeValue(cs.value("Password")),
                                  true);
}

} // namespace

void registerStandardProviders() {
    registerProvider(JetProvider, openAccess);
    registerProvider(OdbcBridgeProvider, openOdbcBridge);
    registerProvider(OracleProvider, openServer);
}

} // namespace data
