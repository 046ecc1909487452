#include "data/jet/speedup/GroupRows.h"

#include "data/Error.h"
#include "data/jet/Database.h"

#include <algorithm>
#include <bit>
#include <limits>

namespace data::jet {

GroupRows::GroupRows(std::vector<std::uint32_t> groupOfRow, std::size_t groups)
    : groups_(groups), rows_(groupOfRow.size()), groupOfRow_(std::move(groupOfRow)) {
    if (groupOfRow_.size() >= std::numeric_limits<std::uint32_t>::max())
        throw Error(QStringLiteral("The table has too many rows to keep them by group."));
}

GroupRows::GroupRows(std::shared_ptr<const GroupRows> finer, std::vector<std::uint32_t> firstFiner)
    : groups_(firstFiner.empty() ? 0 : firstFiner.size() - 1), rows_(finer->count()),
      finer_(std::move(finer)), firstFiner_(std::move(firstFiner)) {
    if (!firstFiner_.empty() && (firstFiner_.back() != finer_->groups() ||
                                 !std::is_sorted(firstFiner_.begin(), firstFiner_.end())))
        throw Error(QStringLiteral("The rows of the groups could not be kept."));
}

std::span<const std::uint32_t> GroupRows::of(std::int64_t group) const {
    if (group < 0 || std::size_t(group) >= groups_)
        return {};
    if (finer_) {
        const auto g = std::size_t(group);
        if (firstFiner_[g] == firstFiner_[g + 1])
            return {};
        const std::span<const std::uint32_t> first = finer_->of(firstFiner_[g]);
        const std::span<const std::uint32_t> last = finer_->of(firstFiner_[g + 1] - 1);
        return {first.data(), last.data() + last.size()};
    }
    order();
    return {ids_.data() + starts_[std::size_t(group)],
            ids_.data() + starts_[std::size_t(group) + 1]};
}

// Each finer group's ids are in order, all of them together not: they are put in order through
// a bitmap of the ids between the least and the greatest.
std::span<const std::uint32_t> GroupRows::ordered(std::int64_t group,
                                                  std::vector<std::uint32_t>& merged) const {
    const std::span<const std::uint32_t> ids = of(group);
    if (!finer_ || ids.empty() ||
        firstFiner_[std::size_t(group) + 1] - firstFiner_[std::size_t(group)] <= 1)
        return ids;
    const auto [least, greatest] = std::minmax_element(ids.begin(), ids.end());
    const std::uint32_t from = *least;
    std::vector<std::uint64_t> bits((*greatest - from) / 64 + 1);
    for (const std::uint32_t id : ids)
        bits[(id - from) / 64] |= std::uint64_t(1) << ((id - from) % 64);
    merged.clear();
    merged.reserve(ids.size());
    for (std::size_t w = 0; w < bits.size(); ++w)
        for (std::uint64_t word = bits[w]; word != 0; word &= word - 1)
            merged.push_back(from + std::uint32_t(w * 64 + std::size_t(std::countr_zero(word))));
    return merged;
}

std::size_t GroupRows::largest() const {
    // Counted from the rows' groups where they are not in order yet, so that a decision to let
    // them go does not first hold them twice.
    std::vector<std::uint32_t> counts(groups_);
    if (finer_)
        for (std::size_t g = 0; g < groups_; ++g)
            counts[g] = std::uint32_t(of(std::int64_t(g)).size());
    else if (starts_.empty())
        for (const std::uint32_t group : groupOfRow_)
            ++counts[group];
    else
        for (std::size_t g = 0; g < groups_; ++g)
            counts[g] = starts_[g + 1] - starts_[g];
    return counts.empty() ? 0 : *std::max_element(counts.begin(), counts.end());
}

// Counts each group's rows, then places each row's id after those of its group before it.
void GroupRows::order() const {
    if (!starts_.empty())
        return;
    starts_.assign(groups_ + 1, 0);
    for (const std::uint32_t group : groupOfRow_)
        ++starts_[group + 1];
    for (std::size_t g = 1; g <= groups_; ++g)
        starts_[g] += starts_[g - 1];
    std::vector<std::uint32_t> next(starts_.begin(), starts_.end() - 1);
    ids_.resize(groupOfRow_.size());
    for (std::size_t row = 0; row < groupOfRow_.size(); ++row)
        ids_[next[groupOfRow_[row]]++] = std::uint32_t(row + 1);
    std::vector<std::uint32_t>().swap(groupOfRow_);
}

namespace {

using Kept = RowLists::Kept;

// The columns of jet_rows: the row id, then the two arguments.
enum Column { Value, List, Group };

struct Table : sqlite3_vtab {
    std::shared_ptr<Kept> kept;
};

struct Cursor : sqlite3_vtab_cursor {
    std::shared_ptr<const GroupRows> rows;
    std::vector<std::uint32_t> merged; // the ids, where they had to be put in order
    std::span<const std::uint32_t> ids;
    std::size_t at = 0;
    sqlite3_int64 list = 0, group = 0;
};

int connect(sqlite3* db, void* aux, int, const char* const*, sqlite3_vtab** made, char**) {
    const int rc =
        sqlite3_declare_vtab(db, "CREATE TABLE x(value INTEGER, list HIDDEN, grp HIDDEN)");
    if (rc != SQLITE_OK)
        return rc;
    sqlite3_vtab_config(db, SQLITE_VTAB_INNOCUOUS);
    auto* table = new Table{};
    table->kept = *static_cast<std::shared_ptr<Kept>*>(aux);
    *made = table;
    return SQLITE_OK;
}

int disconnect(sqlite3_vtab* table) {
    delete static_cast<Table*>(table);
    return SQLITE_OK;
}

// Only a call with both arguments reads rows; the estimate is the group's size where the
// arguments are known when the statement is planned.
int bestIndex(sqlite3_vtab* vtab, sqlite3_index_info* info) {
    int argument[2] = {-1, -1};
    for (int i = 0; i < info->nConstraint; ++i) {
        const auto& c = info->aConstraint[i];
        if (c.op != SQLITE_INDEX_CONSTRAINT_EQ || (c.iColumn != List && c.iColumn != Group))
            continue;
        if (!c.usable)
            return SQLITE_CONSTRAINT;
        argument[c.iColumn - List] = i;
    }
    if (argument[0] < 0 || argument[1] < 0)
        return SQLITE_CONSTRAINT;
    for (int a = 0; a < 2; ++a) {
        info->aConstraintUsage[argument[a]].argvIndex = a + 1;
        info->aConstraintUsage[argument[a]].omit = 1;
    }
    sqlite3_int64 rows = 1000;
    sqlite3_value *list = nullptr, *group = nullptr;
    if (sqlite3_vtab_rhs_value(info, argument[0], &list) == SQLITE_OK &&
        sqlite3_vtab_rhs_value(info, argument[1], &group) == SQLITE_OK) {
        const Kept& kept = *static_cast<Table*>(vtab)->kept;
        const auto found = kept.lists.find(sqlite3_value_int(list));
        if (found != kept.lists.end())
            rows = sqlite3_int64(found->second->of(sqlite3_value_int64(group)).size());
    }
    info->estimatedRows = rows;
    info->estimatedCost = double(rows);
    info->orderByConsumed = 0;
    return SQLITE_OK;
}

int open(sqlite3_vtab*, sqlite3_vtab_cursor** made) {
    *made = new Cursor{};
    return SQLITE_OK;
}

int close(sqlite3_vtab_cursor* cursor) {
    delete static_cast<Cursor*>(cursor);
    return SQLITE_OK;
}

int filter(sqlite3_vtab_cursor* base, int, const char*, int argc, sqlite3_value** argv) {
    auto* cursor = static_cast<Cursor*>(base);
    auto* table = static_cast<Table*>(base->pVtab);
    if (argc != 2)
        return SQLITE_ERROR;
    cursor->list = sqlite3_value_int64(argv[0]);
    cursor->group = sqlite3_value_int64(argv[1]);
    const auto found = table->kept->lists.find(int(cursor->list));
    if (found == table->kept->lists.end()) {
        // Forgotten before this statement read its first row: told, never read as no rows.
        sqlite3_free(table->zErrMsg);
        table->zErrMsg = sqlite3_mprintf("The rows of a group are no longer kept.");
        return SQLITE_ERROR;
    }
    cursor->rows = found->second;
    cursor->ids = cursor->rows->ordered(cursor->group, cursor->merged);
    cursor->at = 0;
    return SQLITE_OK;
}

int next(sqlite3_vtab_cursor* cursor) {
    ++static_cast<Cursor*>(cursor)->at;
    return SQLITE_OK;
}

int eof(sqlite3_vtab_cursor* base) {
    const auto* cursor = static_cast<Cursor*>(base);
    return cursor->at >= cursor->ids.size();
}

int column(sqlite3_vtab_cursor* base, sqlite3_context* context, int i) {
    const auto* cursor = static_cast<Cursor*>(base);
    switch (i) {
    case Value:
        sqlite3_result_int64(context, cursor->ids[cursor->at]);
        break;
    case List:
        sqlite3_result_int64(context, cursor->list);
        break;
    default:
        sqlite3_result_int64(context, cursor->group);
    }
    return SQLITE_OK;
}

int rowId(sqlite3_vtab_cursor* base, sqlite3_int64* id) {
    const auto* cursor = static_cast<Cursor*>(base);
    *id = cursor->ids[cursor->at];
    return SQLITE_OK;
}

const sqlite3_module Module = {
    .iVersion = 0,
    .xCreate = nullptr, // eponymous only: a statement names it, nothing creates it
    .xConnect = connect,
    .xBestIndex = bestIndex,
    .xDisconnect = disconnect,
    .xDestroy = disconnect,
    .xOpen = open,
    .xClose = close,
    .xFilter = filter,
    .xNext = next,
    .xEof = eof,
    .xColumn = column,
    .xRowid = rowId,
    .xUpdate = nullptr,
    .xBegin = nullptr,
    .xSync = nullptr,
    .xCommit = nullptr,
    .xRollback = nullptr,
    .xFindFunction = nullptr,
    .xRename = nullptr,
    .xSavepoint = nullptr,
    .xRelease = nullptr,
    .xRollbackTo = nullptr,
    .xShadowName = nullptr,
};

} // namespace

RowLists::RowLists(Database& database) : kept_(std::make_shared<Kept>()) {
    auto* aux = new std::shared_ptr<Kept>(kept_);
    const int rc =
        sqlite3_create_module_v2(database.handle(), "jet_rows", &Module, aux,
                                 [](void* p) { delete static_cast<std::shared_ptr<Kept>*>(p); });
    if (rc != SQLITE_OK)
        throw Error(QStringLiteral("The embedded database could not keep rows by group."));
    // The function's table is made the first time a statement names it, which the rules for
    // queries would refuse: it is made here, and kept while the database is open.
    Database::OwnStatements own(database);
    database.prepareOwn("SELECT value FROM jet_rows(0, 0)");
}

int RowLists::keep(std::shared_ptr<const GroupRows> rows) {
    const int list = ++kept_->made;
    kept_->lists.emplace(list, std::move(rows));
    return list;
}

void RowLists::forget(int list) {
    kept_->lists.erase(list);
}

QString RowLists::condition(const QString& rowId, int list, std::int64_t group) {
    return QStringLiteral("%1 IN (SELECT value FROM jet_rows(%2, %3))")
        .arg(rowId)
        .arg(list)
        .arg(group);
}

} // namespace data::jet
