#include "data/odbc/InstalledDrivers.h"

#include "data/odbc/Diagnostics.h"
#include "data/odbc/Handle.h"

#include <algorithm>
#include <sqlext.h>
#include <vector>

namespace data::odbc {

namespace {

struct Listing {
    QStringList descriptions;
    SQLSMALLINT longest = 0; // in bytes, without the terminator
};

// One pass over the driver list in an environment of its own, as ODBC 2 programs ask for it.
// A description longer than `room` comes cut short; `longest` tells how much room it needs.
Listing listDrivers(SQLSMALLINT room) {
    const Handle env = Handle::odbc2Environment();
    Listing listing;
    std::vector<SQLCHAR> description(std::size_t(room) + 1);
    for (;;) {
        SQLSMALLINT length = 0;
        const SQLRETURN rc =
            SQLDrivers(env.get(), SQL_FETCH_NEXT, description.data(),
                       SQLSMALLINT(description.size()), &length, nullptr, 0, nullptr);
        if (rc == SQL_NO_DATA)
            return listing;
        check(rc, env);
        listing.longest = std::max(listing.longest, length);
        const auto* text = reinterpret_cast<const char*>(description.data());
        listing.descriptions << QString::fromUtf8(text, std::min(length, room));
    }
}

} // namespace

QStringList installedDrivers() {
    Listing listing = listDrivers(255);
    if (listing.longest > 255)
        listing = listDrivers(listing.longest);
    return listing.descriptions;
}

} // namespace data::odbc
