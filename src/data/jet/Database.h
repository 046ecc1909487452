#pragma once

#include "data/jet/SqliteHandles.h"
#include "data/jet/vb/RegionalSettings.h"

#include <QByteArray>
#include <QLocale>
#include <QString>

// The engine's in-memory SQLite database, set up for Jet queries: the JETTEXT collation, the VB
// functions, and the rules that keep the queries it is given to reading.
//
// Queries may only read: while one is prepared, an authorizer refuses everything but SELECT,
// reading columns and calling functions (load_extension excepted), so INSERT, UPDATE, DELETE,
// CREATE, DROP, ATTACH, PRAGMA and transactions all fail; extension loading is switched off and no
// database can be attached. The engine's own statements, which create and fill the tables, run
// inside an OwnStatements scope that lifts those rules.
//
// One thread at a time uses the database (it is opened without SQLite's own locking); only
// interrupt() may come from another.
namespace data::jet {

class Database {
public:
    explicit Database(const QLocale& locale);
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    sqlite3* handle() const { return db_.get(); }
    const vb::RegionalSettings& regional() const { return regional_; }

    // While one lives, the engine runs its own statements, free of the rules for queries.
    class OwnStatements {
    public:
        explicit OwnStatements(Database& database);
        ~OwnStatements();
        OwnStatements(const OwnStatements&) = delete;
        OwnStatements& operator=(const OwnStatements&) = delete;

    private:
        Database& database_;
        bool wasOwn_;
    };

    // The engine's own statements (the caller holds an OwnStatements scope).
    void execute(const char* sql);
    // Runs the engine's own DROP statement without a journal; false when it is not run because a
    // statement still reads, or fails. With a journal, the drop of an index first copies every
    // page of it into memory to be able to undo it: a second index's worth at the peak.
    bool dropWithoutJournal(const char* drop);
    // The database keeps the pages of what was dropped as free pages, in memory: this gives them
    // back to the system, a few thousand at a time (each step moving the pages after them, with
    // the journal), until none is left or the operation running is to stop; those left are given
    // back at the next call. Nothing is given back while a statement reads.
    void giveBackFreePages();
    // Runs `work` (the engine's own statements) in one transaction: committed when it returns,
    // undone when it or the commit fails, so that a load that failed or was stopped leaves
    // nothing behind.
    template <typename Work> void inTransaction(Work&& work) {
        execute("BEGIN");
        try {
            work();
            execute("COMMIT");
        } catch (...) {
            rollback();
            throw;
        }
    }
    StatementHandle prepareOwn(const QByteArray& sql);

    // A query given from outside: one statement that only reads.
    StatementHandle prepareQuery(const QByteArray& sql);

    // Makes the statement running now stop with an error; safe from any thread.
    void interrupt() { sqlite3_interrupt(db_.get()); }

    // How many of a statement's steps go by between two reports to the operation running.
    static constexpr int ProgressSteps = 10000;

    // Throws data::Error describing the last failure, data::Cancelled when the statement was
    // stopped because the operation running was asked to stop.
    [[noreturn]] void fail() const;

private:
    bool anyStatementReads() const;
    void rollback();
    static int authorize(void* self, int action, const char* detail1, const char* detail2,
                         const char* database, const char* trigger);
    StatementHandle prepare(const char* sql, int length, const char** tail);

    vb::RegionalSettings regional_; // used by the functions, so it outlives the database
    DatabaseHandle db_;
    bool ownStatements_ = false;
};

} // namespace data::jet
