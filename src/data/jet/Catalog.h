#pragma once

#include "data/TypeCodes.h"

#include <QString>
#include <vector>

// What the Jet dialect's translator needs to know of the tables a statement names: their
// columns, each with the type code the program sees and the way the engine stores its values.
namespace data::jet {

using data::Storage;

struct ColumnInfo {
    QString name; // as stored in the engine (the source's own spelling)
    int adoType = 0;
    Storage storage = Storage::Text;
};

struct TableInfo {
    QString name; // as stored in the engine (the source's own spelling)
    std::vector<ColumnInfo> columns;
};

// Looks tables (and saved queries, which the engine keeps as tables) up by the name a statement
// gives them (compared without regard to case), loading a table into the engine the first time
// it is named. Null for a name the source lacks.
class KeptRows;

class Catalog {
public:
    virtual ~Catalog() = default;
    virtual const TableInfo* findTable(const QString& name) = 0;
    // The rows kept by the value of a column, which a condition on that value reads alone (see
    // KeptRows); null where none are kept.
    virtual KeptRows* keptRows() { return nullptr; }
};

} // namespace data::jet
