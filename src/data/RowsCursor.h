#pragma once

#include "data/Provider.h"
#include "data/TableEntry.h"

#include <QStringList>
#include <vector>

namespace data {

// A small result held whole, such as a schema rowset.
class RowsCursor : public Cursor {
public:
    struct Column {
        QString name;
        int adoType = 0;
    };

    RowsCursor(std::vector<Column> columns, std::vector<std::vector<QVariant>> rows)
        : columns_(std::move(columns)), rows_(std::move(rows)) {}

    int fieldCount() const override { return static_cast<int>(columns_.size()); }
    QString fieldName(int i) const override { return columns_.at(i).name; }
    int fieldType(int i) const override { return columns_.at(i).adoType; }
    bool next() override { return ++row_ < static_cast<qsizetype>(rows_.size()); }
    QVariant value(int i) const override { return rows_.at(row_).at(i); }

private:
    std::vector<Column> columns_;
    std::vector<std::vector<QVariant>> rows_;
    qsizetype row_ = -1;
};

// The TABLES rowset: TABLE_CATALOG and TABLE_SCHEMA null where an entry has none, ordered by
// TABLE_TYPE, then TABLE_SCHEMA and then TABLE_NAME.
std::unique_ptr<Cursor> tablesRowset(std::vector<TableEntry> entries);

} // namespace data
