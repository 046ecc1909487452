#pragma once

#include "data/LevelShape.h"

#include <QString>
#include <QStringList>
#include <QVariant>
#include <functional>
#include <memory>
#include <vector>

namespace data {

class ConnectionString;

// A result as a provider delivers it: a forward-only stream of rows with named, typed fields.
class Cursor {
public:
    virtual ~Cursor() = default;
    virtual int fieldCount() const = 0;
    virtual QString fieldName(int i) const = 0;
    virtual int fieldType(int i) const = 0; // ADO type code
    // Moves to the next row; false when there is none.
    virtual bool next() = 0;
    // The current row's value: a null QVariant for SQL NULL.
    virtual QVariant value(int i) const = 0;
};

// One open data source behind a connection.
class Provider {
public:
    virtual ~Provider() = default;
    // Runs one statement in the provider's own dialect.
    virtual std::unique_ptr<Cursor> execute(const QString& statement) = 0;
    // Runs one statement of a grouping tree's level, whose shape is given beside it. A provider
    // that keeps something made for the tree may read the level from there; its rows, values
    // and types are the statement's own. By default the statement runs as any other.
    virtual std::unique_ptr<Cursor> executeLevel(const LevelShape& shape, const QString& statement);
    // The tables and views: TABLE_CATALOG, TABLE_SCHEMA, TABLE_NAME, TABLE_TYPE, ordered by
    // TABLE_TYPE and then by name.
    virtual std::unique_ptr<Cursor> tables() = 0;
    // The grouping tree is about to read `recordSource` (as written after FROM) level by level,
    // grouped by these terms in this order: a column, or a date column by its date group. A
    // provider may prepare its data for those levels; by default nothing is done. Failures
    // throw data::Error.
    virtual void prepareGrouping(const QString& recordSource, const std::vector<LevelTerm>& terms);
    // Whether prepareGrouping changes what the provider holds (an index), which statements still
    // reading would stand in the way of; by default it does nothing.
    virtual bool preparesGrouping() const { return false; }

    // Rows by position, for a view that may go anywhere in a result. How many rows `statement`
    // gives, where the provider can tell without handing them over; -1 where it cannot, and the
    // caller counts them as it reads (the default).
    virtual qsizetype countRows(const QString& statement);
    // The rows of `statement` from row `first` on (counted from 0). By default the statement runs
    // and the rows before `first` are read and passed over, telling the operation running now
    // how far it is; past the last row the cursor gives no rows.
    virtual std::unique_ptr<Cursor> executeFrom(const QString& statement, qsizetype first);
};

// Opens a provider from its connection string and the connection's mode; throws data::Error.
using ProviderFactory = std::function<std::unique_ptr<Provider>(const ConnectionString&, int mode)>;

// Providers by the exact name the connection string's Provider key gives.
void registerProvider(const QString& name, ProviderFactory factory);
std::unique_ptr<Provider> openProvider(const ConnectionString& connection, int mode);

// The workbook driver File > Connect > Excel connects through, as the program's start makes it
// known: a driver's description, or "" when there is none; failures throw data::Error. Without
// a look-up made known there is none.
using WorkbookDriverLookup = std::function<QString()>;
void registerWorkbookDriverLookup(WorkbookDriverLookup lookup);
QString workbookDriver();

} // namespace data
