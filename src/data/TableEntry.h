#pragma once

#include <QString>

namespace data {

// One table of a source as the TABLES schema rowset lists it.
struct TableEntry {
    QString name;
    QString type; // "TABLE", "SYSTEM TABLE", "ACCESS TABLE", "VIEW", ...
};

} // namespace data
