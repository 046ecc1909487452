#pragma once

#include "data/jet/Catalog.h"
#include "data/jet/Translate.h"

#include <QList>
#include <QStringList>
#include <sqlite3.h>

// An in-memory engine holding two small tables, Orders and T, laid out the way the engine
// stores file sources, with simple stand-ins for the vb_* functions and the JETTEXT collation.
// Runs translated statements so that tests see the rows they really give.
class JetTestDatabase : public data::jet::Catalog {
public:
    JetTestDatabase();
    ~JetTestDatabase() override;
    JetTestDatabase(const JetTestDatabase&) = delete;
    JetTestDatabase& operator=(const JetTestDatabase&) = delete;

    const data::jet::TableInfo* findTable(const QString& name) override;

    // Translates and runs the statement: each row's values as text, "NULL" for null. Fails the
    // test when SQLite rejects the translation.
    QList<QStringList> rows(const QString& jetSql);

    // The last statement's translation.
    const data::jet::Translation& translation() const { return translation_; }

private:
    void exec(const QString& sql);

    sqlite3* db_ = nullptr;
    std::vector<data::jet::TableInfo> tables_;
    data::jet::Translation translation_;
};
