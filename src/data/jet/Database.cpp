#include "data/jet/Database.h"

#include "data/Error.h"
#include "data/Operation.h"
#include "data/jet/JetTextCollation.h"
#include "data/jet/Statistics.h"
#include "data/jet/vb/VbFunctions.h"

#include <malloc.h>

namespace data::jet {

namespace {

QString describe(sqlite3* db) {
    return QString::fromUtf8(sqlite3_errmsg(db));
}

void check(sqlite3* db, int rc, const char* what) {
    if (rc != SQLITE_OK)
        throw Error(QStringLiteral("The embedded database could not %1: %2")
                        .arg(QLatin1String(what), describe(db)));
}

} // namespace

Database::Database(const QLocale& locale) : regional_(locale) {
    sqlite3* raw = nullptr;
    const int rc =
        sqlite3_open_v2(":memory:", &raw,
                        SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX, nullptr);
    db_.reset(raw);
    if (rc != SQLITE_OK)
        throw Error(QStringLiteral("The embedded database could not be opened: %1")
                        .arg(raw ? describe(raw) : QString::fromUtf8(sqlite3_errstr(rc))));
    sqlite3* db = db_.get();
    // Pages of 16 KiB hold a table in a twentieth less memory than the usual 4 KiB, whose
    // headers and unused ends add up over a large table. The pages of a dropped index can be
    // given back (see giveBackFreePages). Both must be set before the first table is made.
    check(db,
          sqlite3_exec(db, "PRAGMA page_size = 16384; PRAGMA auto_vacuum = INCREMENTAL", nullptr,
                       nullptr, nullptr),
          "be set up");
    check(db, sqlite3_db_config(db, SQLITE_DBCONFIG_ENABLE_LOAD_EXTENSION, 0, nullptr),
          "switch off extensions");
    check(db, sqlite3_db_config(db, SQLITE_DBCONFIG_DEFENSIVE, 1, nullptr), "be set up");
    check(db, sqlite3_db_config(db, SQLITE_DBCONFIG_TRUSTED_SCHEMA, 0, nullptr), "be set up");
    sqlite3_limit(db, SQLITE_LIMIT_ATTACHED, 0);
    check(db, registerJetTextCollation(db), "register its text comparison");
    check(db, vb::registerVbFunctions(db, regional_), "register its functions");
    check(db, registerStatistics(db), "register its statistics");
    check(db, sqlite3_set_authorizer(db, &Database::authorize, this), "be set up");
    // Every few thousand steps of a statement, the operation running is told the engine is
    // still at work (so that the window keeps painting) and may answer that it is to stop.
    sqlite3_progress_handler(
        db, ProgressSteps, [](void*) { return data::tick() ? 1 : 0; }, nullptr);
}

int Database::authorize(void* self, int action, const char*, const char* detail2, const char*,
                        const char*) {
    if (static_cast<const Database*>(self)->ownStatements_)
        return SQLITE_OK;
    switch (action) {
    case SQLITE_SELECT:
    case SQLITE_READ:
    case SQLITE_RECURSIVE:
        return SQLITE_OK;
    case SQLITE_FUNCTION:
        return detail2 && sqlite3_stricmp(detail2, "load_extension") == 0 ? SQLITE_DENY : SQLITE_OK;
    default:
        return SQLITE_DENY;
    }
}

Database::OwnStatements::OwnStatements(Database& database)
    : database_(database), wasOwn_(database.ownStatements_) {
    database_.ownStatements_ = true;
}

Database::OwnStatements::~OwnStatements() {
    database_.ownStatements_ = wasOwn_;
}

void Database::execute(const char* sql) {
    if (sqlite3_exec(db_.get(), sql, nullptr, nullptr, nullptr) != SQLITE_OK)
        fail();
}

bool Database::dropWithoutJournal(const char* drop) {
    sqlite3* db = db_.get();
    // The engine refuses a drop while any statement reads; refused without a journal, it would
    // leave the database in a state no journal can mend, so it is not tried.
    if (anyStatementReads())
        return false;
    const OwnStatements own(*this);
    // Switching the journal off is refused in the defensive mode the database is otherwise in.
    sqlite3_db_config(db, SQLITE_DBCONFIG_DEFENSIVE, 0, nullptr);
    sqlite3_exec(db, "PRAGMA journal_mode = OFF", nullptr, nullptr, nullptr);
    const bool dropped = sqlite3_exec(db, drop, nullptr, nullptr, nullptr) == SQLITE_OK;
    sqlite3_exec(db, "PRAGMA journal_mode = MEMORY", nullptr, nullptr, nullptr);
    sqlite3_db_config(db, SQLITE_DBCONFIG_DEFENSIVE, 1, nullptr);
    return dropped;
}

bool Database::anyStatementReads() const {
    for (sqlite3_stmt* s = sqlite3_next_stmt(db_.get(), nullptr); s;
         s = sqlite3_next_stmt(db_.get(), s))
        if (sqlite3_stmt_busy(s))
            return true;
    return false;
}

void Database::giveBackFreePages() {
    sqlite3* db = db_.get();
    // Pages are moved to give them back: not under a statement that reads.
    if (anyStatementReads())
        return;
    const OwnStatements own(*this);
    const auto freePages = [&] {
        const StatementHandle count = prepareOwn("PRAGMA freelist_count");
        return sqlite3_step(count.get()) == SQLITE_ROW ? sqlite3_column_int64(count.get(), 0) : 0;
    };
    // Each step must give some back: a database made without the means to (auto_vacuum)
    // gives none, and the loop then ends at once.
    const qint64 before = freePages();
    for (qint64 left = before, was = left + 1; left > 0 && left < was; left = freePages()) {
        was = left;
        if (sqlite3_exec(db, "PRAGMA incremental_vacuum(2048)", nullptr, nullptr, nullptr) !=
            SQLITE_OK)
            break;
    }
    if (freePages() < before)
        malloc_trim(0);
}

void Database::rollback() {
    sqlite3_exec(db_.get(), "ROLLBACK", nullptr, nullptr, nullptr);
}

StatementHandle Database::prepare(const char* sql, int length, const char** tail) {
    sqlite3_stmt* raw = nullptr;
    const int rc = sqlite3_prepare_v3(db_.get(), sql, length, 0, &raw, tail);
    StatementHandle statement(raw);
    if (rc != SQLITE_OK) {
        if (rc == SQLITE_AUTH)
            throw Error(QStringLiteral("Only queries that read data can be run here (%1).")
                            .arg(describe(db_.get())));
        fail();
    }
    return statement;
}

StatementHandle Database::prepareOwn(const QByteArray& sql) {
    return prepare(sql.constData(), int(sql.size()), nullptr);
}

StatementHandle Database::prepareQuery(const QByteArray& sql) {
    const char* tail = nullptr;
    StatementHandle statement = prepare(sql.constData(), int(sql.size()), &tail);
    if (!statement)
        throw Error(QStringLiteral("The query is empty."));
    // Whatever follows the first statement must be blanks, comments or semicolons.
    const char* end = sql.constData() + sql.size();
    if (tail && tail < end && prepare(tail, int(end - tail), nullptr))
        throw Error(QStringLiteral("Only one statement can be run at a time."));
    // Statements without result columns (REINDEX, say) and EXPLAIN are no queries either.
    sqlite3_stmt* raw = statement.get();
    if (!sqlite3_stmt_readonly(raw) || sqlite3_column_count(raw) == 0 ||
        sqlite3_stmt_isexplain(raw) != 0)
        throw Error(QStringLiteral("Only queries that read data can be run here."));
    return statement;
}

void Database::fail() const {
    if (sqlite3_errcode(db_.get()) == SQLITE_INTERRUPT && data::stopping())
        throw Cancelled();
    throw Error(describe(db_.get()));
}

} // namespace data::jet
