#pragma once

#include <QString>

// A linked table: a row of MSysObjects that stands for a table of another database, of type 6
// for a table of another Access file (Database names the file, ForeignName the table in it) and
// of type 4 for a table of an ODBC data source (Connect holds the connection text).
namespace data::access {

struct TableLink {
    QString database;    // the linked Access file as the link stored it
    QString foreignName; // the table's name in the linked source
    bool odbc = false;   // a link to an ODBC data source, which the reader does not follow
};

// The linked Access file to read: the stored path when it names a file (a relative one taken
// from the folder of the database holding the link), otherwise a file of the same name beside
// that database, as when both files were moved together. Fails with a data::Error naming the
// missing file when neither is there.
QString linkedFilePath(const QString& tableName, const TableLink& link,
                       const QString& databasePath);

} // namespace data::access
