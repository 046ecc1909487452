#pragma once

#include "data/access/ColumnPlan.h"
#include "data/access/FileLayout.h"
#include "data/access/MdbPtr.h"

#include <QString>
#include <cstdint>
#include <set>
#include <vector>

// One table's definition, read by libmdb from the table's definition page, together with the
// plan for each column the program shows, in the table's column order.
namespace data::access {

class TextDecoder;

class TableDefinition {
public:
    // Throws Damage when the definition cannot be read.
    TableDefinition(MdbHandle& mdb, const FileLayout& layout, const QString& name,
                    std::uint32_t definitionPage, const TextDecoder& text);
    TableDefinition(const TableDefinition&) = delete;
    TableDefinition& operator=(const TableDefinition&) = delete;

    MdbTableDef& table() const { return *table_; }
    std::uint32_t definitionPage() const { return definitionPage_; }
    const std::vector<ColumnPlan>& columns() const { return columns_; }

private:
    void planColumns(const TextDecoder& text, const std::set<int>& calculated);

    std::uint32_t definitionPage_;
    MdbCatalogEntry entry_{}; // libmdb's table keeps a pointer to it
    MdbTablePtr table_;
    std::vector<ColumnPlan> columns_;
};

} // namespace data::access
