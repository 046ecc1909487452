#pragma once

#include "data/Ado.h"
#include "data/LevelShape.h"

#include <QString>
#include <QStringList>
#include <memory>
#include <vector>

namespace data {

class PagedRecordset;
class Provider;
class Recordset;

// An open data source. Open chooses the provider by the connection string's exact Provider
// text; every failure throws data::Error with the provider's description.
class Connection : public std::enable_shared_from_this<Connection> {
public:
    Connection();
    ~Connection();

    int CursorLocation = ado::adUseServer;
    int Mode = ado::adModeUnknown;

    void Open(const QString& connectionString, const QString& userId = {},
              const QString& password = {}, int options = -1);
    bool isOpen() const { return provider_ != nullptr; }

    // The TABLES schema rowset: TABLE_CATALOG, TABLE_SCHEMA, TABLE_NAME, TABLE_TYPE.
    std::shared_ptr<Recordset> OpenSchema(int schema = ado::adSchemaTables);

    // The open provider; fails when the connection is not open.
    Provider& provider();

    // Lets the provider prepare for the grouping tree's statements over the record source,
    // grouped by these terms in this order (the engine of file sources keeps an index). Only a
    // speed-up: when it cannot be done, the statements run all the same, so failures are dropped.
    // Where the provider prepares anything, the paged readings over this connection let go of
    // their statements first: the engine cannot drop the index of the order before while a
    // statement still reads, and would hold both indexes at once.
    void prepareGrouping(const QString& recordSource, const std::vector<LevelTerm>& terms) noexcept;

    // The paged readings open over this connection (see PagedRecordset::letGo).
    void addPagedReading(PagedRecordset* reading);
    void removePagedReading(PagedRecordset* reading);

    // How many times the schema has been read, for callers that must not read it twice.
    int schemaReads() const { return schemaReads_; }

private:
    std::unique_ptr<Provider> provider_;
    std::vector<PagedRecordset*> pagedReadings_;
    int schemaReads_ = 0;
};

} // namespace data
