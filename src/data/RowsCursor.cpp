#include "data/RowsCursor.h"

#include "data/AdoTypes.h"

#include <algorithm>

namespace data {

namespace {
QVariant nullWhenAbsent(const QString& text) {
    return text.isNull() ? QVariant() : QVariant(text);
}
} // namespace

std::unique_ptr<Cursor> tablesRowset(std::vector<TableEntry> entries) {
    std::stable_sort(entries.begin(), entries.end(), [](const TableEntry& a, const TableEntry& b) {
        if (const int byType = a.type.compare(b.type); byType != 0)
            return byType < 0;
        if (const int bySchema = a.schema.compare(b.schema, Qt::CaseInsensitive); bySchema != 0)
            return bySchema < 0;
        return a.name.compare(b.name, Qt::CaseInsensitive) < 0;
    });
    std::vector<std::vector<QVariant>> rows;
    rows.reserve(entries.size());
    for (const TableEntry& e : entries)
        rows.push_back({nullWhenAbsent(e.catalog), nullWhenAbsent(e.schema), e.name, e.type});
    return std::make_unique<RowsCursor>(
        std::vector<RowsCursor::Column>{{"TABLE_CATALOG", ado::adVarWChar},
                                        {"TABLE_SCHEMA", ado::adVarWChar},
                                        {"TABLE_NAME", ado::adVarWChar},
                                        {"TABLE_TYPE", ado::adVarWChar}},
        std::move(rows));
}

} // namespace data
