#pragma once

#include <QString>

namespace data {

// One table of a source as the TABLES schema rowset lists it. Catalog and schema stay null for
// sources that have neither, such as a file.
struct TableEntry {
    QString name;
    QString type; // "TABLE", "SYSTEM TABLE", "ACCESS TABLE", "VIEW", ...
    QString schema = {};
    QString catalog = {};
};

} // namespace data
