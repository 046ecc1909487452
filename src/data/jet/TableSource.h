#pragma once

#include "data/Error.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <optional>
#include <vector>

// The seam between a file reader (an Access database, a workbook) and the embedded engine: the
// reader describes its tables and pushes a table's rows into a sink, value by value, and gives
// its saved queries as Jet SQL.
namespace data::jet {

struct SourceColumn {
    QString name;
    int adoType = 0; // the type code the program sees (data::ado)
    int scale = 0;   // decimals of a Numeric column
};

struct SourceTable {
    QString name;
    std::vector<SourceColumn> columns;
};

// A saved query of the source, which the engine answers as a view over the source's tables.
struct SourceView {
    QString name;
    QString sql; // a Jet SELECT over the source's tables and saved queries
    // Set instead of sql for a query the engine cannot answer: the description of the failure,
    // naming the query and what is not supported (see ViewMessages.h).
    QString unsupported = {};
};

// Receives one table's rows. Values are given column by column (any order, each at most once
// per row); columns not given in a row are null. endRow() stores the row.
class RowSink {
public:
    virtual ~RowSink() = default;
    virtual void setNull(int column) = 0;
    virtual void setInteger(int column, std::int64_t value) = 0;
    virtual void setBoolean(int column, bool value) = 0;
    virtual void setDouble(int column, double value) = 0;
    // The amount times 10,000.
    virtual void setCurrency(int column, std::int64_t scaledBy10000) = 0;
    // Date and time to the second.
    virtual void setDateTime(int column, int year, int month, int day, int hour, int minute,
                             int second) = 0;
    virtual void setText(int column, const QString& value) = 0;
    virtual void setBlob(int column, const QByteArray& value) = 0;
    virtual void endRow() = 0;
};

// Thrown by a load that found the table other than its source described it: a source may describe
// a large table from its first rows, so as to read it once, and learn the truth only by loading
// it whole. The rows given are to be thrown away; describe() now gives the table as it is.
class DescriptionChanged : public Error {
public:
    explicit DescriptionChanged(const QString& table)
        : Error(QStringLiteral("The table '%1' changed while it was read.").arg(table)) {}
};

class TableSource {
public:
    virtual ~TableSource() = default;
    // Every table the source holds, in its own order.
    virtual QStringList tableNames() = 0;
    // The table's columns, or nothing when there is no such table (names compared without
    // regard to case). Fails with data::Error when the source cannot be read.
    virtual std::optional<SourceTable> describe(const QString& name) = 0;
    // Pushes every row of the table into the sink. Fails with data::Error on damage, with
    // DescriptionChanged when the table is not as describe() said. The engine calls it on a
    // thread of its own, while nothing else uses the source, and the sink may end it by
    // throwing.
    virtual void load(const QString& name, RowSink& sink) = 0;
    // The saved query of that name (compared without regard to case), or nothing when there is
    // none; asked only for a name describe() does not know.
    virtual std::optional<SourceView> view(const QString& name) {
        (void)name;
        return std::nullopt;
    }
};

} // namespace data::jet
