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

class GroupingIndex;
struct GroupSummary;

// Looks tables (and saved queries, which the engine keeps as tables) up by the name a statement
// gives them (compared without regard to case), loading a table into the engine the first time
// it is named. Null for a name the source lacks.
class Catalog {
public:
    virtual ~Catalog() = default;
    virtual const TableInfo* findTable(const QString& name) = 0;
    // The grouping tree's index and summary, the engine's optional speed-up for the tree's
    // statements (see speedup/GroupingIndex.h); null where there is none.
    virtual const GroupingIndex* groupingIndex() const { return nullptr; }
    // The groups of a level over the whole table by `column`, with the statistics of
    // `statistics`, made in one pass (see speedup/LevelGroups.h); null where there are none.
    virtual const GroupSummary* levelGroups(const TableInfo&, const ColumnInfo&,
                                            const ColumnInfo*) {
        return nullptr;
    }
};

} // namespace data::jet
