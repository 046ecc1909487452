#include "Targets.h"

#include "data/ColumnTable.h"
#include "data/Connection.h"
#include "data/Dialect.h"
#include "data/Error.h"
#include "data/Recordset.h"
#include "data/odbc/DriverList.h"

#include <QFile>

namespace fuzz {

namespace {

void readAll(data::Recordset& rows) {
    for (; !rows.Eof(); rows.MoveNext())
        for (int i = 0; i < rows.fieldCount(); ++i)
            (void)rows.Fields(i).Value();
}

// Every table and view the source lists, each read to its last value.
bool readSource(const QString& connectionString, data::Dialect dialect) {
    auto connection = std::make_shared<data::Connection>();
    connection->Open(connectionString);
    const auto tables = connection->OpenSchema();
    bool allRead = true;
    for (; !tables->Eof(); tables->MoveNext()) {
        const QString name = tables->Fields("TABLE_NAME").Value().toString();
        try {
            data::Recordset rows;
            rows.Open("SELECT * FROM " + data::recordSourceFor({}, name, dialect), connection);
            readAll(rows);
        } catch (const data::Error&) {
            allRead = false;
        }
    }
    return allRead;
}

Target fileTarget(const QString& scratch, std::function<bool(const QString&)> open) {
    return [scratch, open](const QByteArray& input) {
        QFile file(scratch);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(input) < 0)
            return false;
        file.close();
        try {
            return open(scratch);
        } catch (const data::Error&) {
            return false;
        }
    };
}

} // namespace

Target accessTarget(const QString& scratch) {
    return fileTarget(scratch, [](const QString& path) {
        return readSource(data::accessConnectionString(path), data::Dialect::Jet);
    });
}

Target workbookTarget(const QString& scratch) {
    return fileTarget(scratch, [](const QString& path) {
        return readSource(data::excelConnectionString(data::odbc::BuiltInWorkbookDriver, path),
                          data::Dialect::OdbcBridge);
    });
}

Target jetTarget(const QString& database) {
    auto connection = std::make_shared<data::Connection>();
    connection->Open(data::accessConnectionString(database));
    return [connection](const QByteArray& input) {
        try {
            data::Recordset rows;
            rows.Open(QString::fromUtf8(input), connection);
            readAll(rows);
            return true;
        } catch (const data::Error&) {
            return false;
        }
    };
}

} // namespace fuzz
