#include "data/jet/JetTextCollation.h"

#include "data/TextCollation.h"

#include <sqlite3.h>

namespace data::jet {

namespace {

int collate(void*, int lengthA, const void* a, int lengthB, const void* b) {
    return compareJetText({static_cast<const char*>(a), std::size_t(lengthA)},
                          {static_cast<const char*>(b), std::size_t(lengthB)});
}

} // namespace

int registerJetTextCollation(sqlite3* db) {
    return sqlite3_create_collation_v2(db, "JETTEXT", SQLITE_UTF8, nullptr, &collate, nullptr);
}

} // namespace data::jet
