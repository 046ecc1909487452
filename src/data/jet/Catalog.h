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

struct GroupSummary;

// Looks tables up by the name a statement gives them (compared without regard to case), loading
// a table into the engine the first time it is named. Null for a table the source lacks.
class Catalog {
public:
    virtual ~Catalog() = default;
    virtual const TableInfo* findTable(const QString& name) = 0;
    // The summary of the grouping tree's first two levels over the table, if there is one.
    virtual const GroupSummary* groupSummary(const TableInfo&) { return nullptr; }
    // The expression the grouping tree's index over the table begins with (SQLite's dialect),
    // or "" when there is none.
    virtual QString leadingGroupingTerm(const TableInfo&) { return QString(); }
};

} // namespace data::jet
