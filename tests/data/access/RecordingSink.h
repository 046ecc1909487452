#pragma once

#include "QtPrinters.h"
#include "data/jet/CalendarDate.h"
#include "data/jet/TableSource.h"

#include <QByteArray>
#include <QString>
#include <algorithm>
#include <ostream>
#include <stdexcept>
#include <variant>
#include <vector>

// Keeps every row a reader pushes, each value tagged with the setter that delivered it; and a
// table read whole that way, with its columns looked up by name.
namespace test::access {

struct Currency {
    std::int64_t scaled = 0;
    bool operator==(const Currency&) const = default;
};

struct Null {
    bool operator==(const Null&) const = default;
};

using Value = std::variant<Null, std::int64_t, bool, double, Currency, data::jet::DateTimeParts,
                           QString, QByteArray>;
using Row = std::vector<Value>;

class RecordingSink : public data::jet::RowSink {
public:
    std::vector<Row> rows;

    void setNull(int column) override { put(column, Null{}); }
    void setInteger(int column, std::int64_t value) override { put(column, value); }
    void setBoolean(int column, bool value) override { put(column, value); }
    void setDouble(int column, double value) override { put(column, value); }
    void setCurrency(int column, std::int64_t value) override { put(column, Currency{value}); }
    void setDateTime(int column, int year, int month, int day, int hour, int minute,
                     int second) override {
        put(column, data::jet::DateTimeParts{year, month, day, hour, minute, second});
    }
    void setText(int column, const QString& value) override { put(column, value); }
    void setBlob(int column, const QByteArray& value) override { put(column, value); }
    void endRow() override {
        rows.push_back(current_);
        current_.clear();
    }

private:
    void put(int column, Value value) {
        const auto index = static_cast<std::size_t>(column);
        if (current_.size() <= index)
            current_.resize(index + 1);
        current_[index] = std::move(value);
    }

    Row current_;
};

// A table read whole into memory.
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

inline std::ostream& operator<<(std::ostream& out, const Null&) {
    return out << "NULL";
}
inline std::ostream& operator<<(std::ostream& out, const Currency& value) {
    return out << "Currency(" << value.scaled << ")";
}

} // namespace test::access

namespace data::jet {
inline std::ostream& operator<<(std::ostream& out, const DateTimeParts& t) {
    return out << t.year << '-' << t.month << '-' << t.day << ' ' << t.hour << ':' << t.minute
               << ':' << t.second;
}
} // namespace data::jet

inline void PrintTo(const QByteArray& bytes, std::ostream* out) {
    *out << "<" << bytes.size() << " bytes>";
}
