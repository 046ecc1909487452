#pragma once

#include "RecordingSink.h"
#include "data/access/AccessFile.h"

#include <algorithm>

// A table read whole into memory, with its columns looked up by name.
namespace test::access {

struct LoadedTable {
    data::jet::SourceTable definition;
    std::vector<Row> rows;

    std::size_t column(const QString& name) const {
        const auto& columns = definition.columns;
        const auto found = std::find_if(columns.begin(), columns.end(),
                                        [&](const auto& c) { return c.name == name; });
        if (found == columns.end())
            throw std::out_of_range("no column " + name.toStdString());
        return static_cast<std::size_t>(found - columns.begin());
    }
    const Value& value(const Row& row, const QString& name) const {
        static const Value missing = Null{};
        const std::size_t index = column(name);
        return index < row.size() ? row[index] : missing;
    }
    QStringList names() const {
        QStringList names;
        for (const auto& c : definition.columns)
            names << c.name;
        return names;
    }
    std::vector<int> types() const {
        std::vector<int> types;
        for (const auto& c : definition.columns)
            types.push_back(c.adoType);
        return types;
    }
    // The first row whose column holds the value.
    const Row& rowWhere(const QString& name, const Value& wanted) const {
        for (const Row& row : rows)
            if (value(row, name) == wanted)
                return row;
        throw std::out_of_range("no row with that " + name.toStdString());
    }
};

inline LoadedTable loadTable(data::jet::TableSource& source, const QString& name) {
    LoadedTable loaded{source.describe(name).value(), {}};
    RecordingSink sink;
    source.load(name, sink);
    loaded.rows = std::move(sink.rows);
    return loaded;
}

} // namespace test::access
