#include "data/jet/vb/VbFunctions.h"

namespace data::jet::vb {

int registerVbFunctions(sqlite3* db, const RegionalSettings& regional) {
    for (const auto functions : {textFunctions(), conversionFunctions(), dateFunctions()}) {
        if (const int rc = registerFunctions(db, regional, functions); rc != SQLITE_OK)
            return rc;
    }
    return SQLITE_OK;
}

} // namespace data::jet::vb
