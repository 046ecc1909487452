#include "app/StandardProviders.h"

#include "data/ConnectionString.h"
#include "data/Dialect.h"
#include "data/Provider.h"
#include "data/access/AccessFile.h"
#include "data/jet/JetProvider.h"
#include "data/odbc/AttributeValue.h"
#include "data/odbc/DriverList.h"
#include "data/odbc/OdbcProvider.h"
#include "data/workbook/WorkbookProvider.h"

namespace app {

using data::ConnectionString;
using data::Provider;
namespace access = data::access;
namespace jet = data::jet;
namespace odbc = data::odbc;
namespace workbook = data::workbook;

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
    if (driver == odbc::BuiltInWorkbookDriver)
        return workbook::openWorkbookProvider(file);
    return odbc::openOdbcProvider(
        "DRIVER=" + odbc::attributeValue(driver) + ";DBQ=" + odbc::attributeValue(file), true);
}

// The database typed at login names an ODBC data source.
std::unique_ptr<Provider> openServer(const ConnectionString& cs, int) {
    const QString dataSource = cs.value("Data Source");
    return odbc::openOdbcProvider("DSN=" + odbc::attributeValue(dataSource) +
                                      ";UID=" + odbc::attributeValue(cs.value("User ID")) +
                                      ";PWD=" + odbc::attributeValue(cs.value("Password")),
                                  true, dataSource);
}

} // namespace

void registerStandardProviders() {
    data::registerProvider(data::JetProvider, openAccess);
    data::registerProvider(data::OdbcBridgeProvider, openOdbcBridge);
    data::registerProvider(data::OracleProvider, openServer);
    // Of the drivers the ODBC driver manager lists (the program's own workbook driver first),
    // the last whose description holds "xls" in any letter case.
    data::registerWorkbookDriverLookup(
        [] { return odbc::findExcelDriver(odbc::odbcDriverDescriptions()); });
}

} // namespace app
