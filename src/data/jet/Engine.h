#pragma once

#include "data/jet/Catalog.h"
#include "data/jet/Statement.h"
#include "data/jet/TableSource.h"

#include <QByteArray>
#include <QLocale>
#include <map>
#include <memory>
#include <vector>

// The engine that runs Jet queries over a file source (an Access database, a workbook): an
// in-memory SQLite database into which each table is copied the first time a query names it,
// never all of them at once.
//
// A saved query of the source is a view: the first time a query names it, its Jet SELECT is
// translated like any statement (naming tables, which load, and other saved queries, which open
// the same way, never in a loop and at most MostViewsNested deep) and the rows it gives are kept
// in a table of the query's name, in their order, with the types its columns have. From then on
// statements read it as they read a table: the data of a file source does not change while the
// engine holds it. A saved query the engine cannot answer fails with a description that names
// it and says what is not supported (ViewMessages.h).
//
// findTable() serves the translator, which turns a Jet statement into SQLite SQL; prepare() runs
// what it wrote. Tables keep the source's own names and columns, quoted in SQL as identifiers
// ("Umsätze", "Joe's Orders"); each column is stored as its type code calls for (see
// storageFor). Queries may only read (see Database).
namespace data::jet {

class Database;

class Engine final : public Catalog {
public:
    // Functions that follow the region (CDate, CStr, Format) take it from `locale`, by default
    // the program's locale when the engine is made.
    explicit Engine(std::shared_ptr<TableSource> source, const QLocale& locale = QLocale());
    ~Engine() override;

    // How deep saved queries may read other saved queries.
    static constexpr int MostViewsNested = 16;

    // Names compare without regard to case, Unicode included ("UMSÄTZE" finds "Umsätze"). The
    // first look-up of a table describes and loads it, of a saved query runs it; failures throw
    // data::Error.
    const TableInfo* findTable(const QString& name) override;
    KeptRows* keptRows() override { return keptRows_; }
    // The grouping tree's speed-up, which keeps rows by a column's values (null for none).
    void setKeptRows(KeptRows* kept) { keptRows_ = kept; }

    // Prepares one SELECT in SQLite's dialect (UTF-8). `columns` describe its result columns in
    // order: the name to show, the type code, and the storage by which values convert (a
    // Currency column's SQL is expected to divide the stored amount by 10,000). Left empty, names
    // come from the query and values as stored. Anything but a query fails with data::Error.
    Statement prepare(const QByteArray& sql, std::vector<ColumnInfo> columns = {});

    // Makes a running query stop with an error; safe from another thread.
    void interrupt();

    // The database beneath, where the grouping tree's speed-up keeps what it makes.
    Database& database() { return *database_; }

    // The plan the engine follows for a query in SQLite's dialect, one line per step, as
    // EXPLAIN QUERY PLAN gives it ("SEARCH Sales USING COVERING INDEX ...").
    QStringList queryPlan(const QByteArray& sql);

private:
    const TableInfo& keep(const QString& name, std::unique_ptr<TableInfo> table);
    std::unique_ptr<TableInfo> openView(const SourceView& view);

    std::shared_ptr<TableSource> source_;
    std::shared_ptr<Database> database_;
    std::vector<std::unique_ptr<TableInfo>> tables_;
    std::map<QString, const TableInfo*> byFoldedName_;
    QStringList opening_; // the saved queries being opened, each reading the next
    KeptRows* keptRows_ = nullptr;
};

} // namespace data::jet
