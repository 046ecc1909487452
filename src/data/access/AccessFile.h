#pragma once

#include "data/TableEntry.h"
#include "data/access/FileLayout.h"
#include "data/access/MdbPtr.h"
#include "data/access/QueryCatalog.h"
#include "data/access/TableCatalog.h"
#include "data/jet/TableSource.h"

#include <map>
#include <memory>
#include <vector>

// An Access database (.mdb of Jet 3 or Jet 4, .accdb) opened strictly for reading through
// libmdb: the file is opened read-only and nothing is written, locked or created beside it.
//
// Every column is shown, in the table's order. A calculated column reads as the result Access
// kept in the row; attachment and multi-value columns (keys into hidden tables) and any type
// newer than libmdb knows (Large Number, extended Date/Time) read as their stored bytes.
//
// A linked table reads the table it is linked to in another Access file, opened the same way;
// a link to a link is followed on, up to a bound and never in a loop. Links to ODBC data
// sources are listed but not followed.
//
// Every failure is a data::Error: a missing file, a file that is not an Access database, and a
// damaged one (cut short, or with garbage where pages should be), which is found out by checking
// each page number, page, row and value reference before it is used.
namespace data::access {

class TextDecoder;

using data::TableEntry; // of type "TABLE", "SYSTEM TABLE", "ACCESS TABLE" or "LINK"

class AccessFile : public jet::TableSource {
public:
    // Opens the file and reads its list of tables.
    explicit AccessFile(const QString& path);
    ~AccessFile() override;

    const QString& path() const { return layout_.path; }
    // Every local table with its kind, then every saved query as a "VIEW" (the engine's
    // view), for the schema rowset.
    std::vector<TableEntry> tableEntries() const;

    QStringList tableNames() override;
    std::optional<jet::SourceTable> describe(const QString& name) override;
    void load(const QString& name, jet::RowSink& sink) override;
    // A saved query, as the Jet SELECT written from its definition in MSysQueries (see
    // QuerySql.h), or the description of why the engine cannot answer it.
    std::optional<jet::SourceView> view(const QString& name) override;

private:
    const CatalogTable* find(const QString& name) const;
    // The local table that `table` of this file stands for: itself, or the end of its links.
    std::pair<AccessFile*, const CatalogTable*> localTable(const CatalogTable& table);
    AccessFile& linkedFile(const QString& path);

    FileLayout layout_;
    MdbHandlePtr mdb_;
    std::unique_ptr<TextDecoder> text_;
    std::vector<SavedQuery> queries_;
    std::vector<CatalogTable> tables_;
    std::map<QString, std::unique_ptr<AccessFile>> linkedFiles_; // by canonical path
};

} // namespace data::access
