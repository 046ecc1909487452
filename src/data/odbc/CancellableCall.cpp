#include "data/odbc/CancellableCall.h"

#include "data/Operation.h"

#include <chrono>
#include <future>
#include <sqlext.h>

namespace data::odbc {

SQLRETURN callCancellable(SQLHSTMT statement, const std::function<SQLRETURN()>& call) {
    if (!data::currentWatch())
        return call();
    std::future<SQLRETURN> running = std::async(std::launch::async, call);
    bool cancelled = false;
    while (running.wait_for(std::chrono::milliseconds(PollInterval)) != std::future_status::ready) {
        if (!cancelled && data::tick()) {
            SQLCancel(statement);
            cancelled = true;
        }
    }
    const SQLRETURN rc = running.get();
    // A statement that finished before the cancel reached the server gave its result, which the
    // operation no longer wants.
    if (cancelled || data::stopping())
        throw Cancelled();
    return rc;
}

} // namespace data::odbc
