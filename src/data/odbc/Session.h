#pragma once

#include "data/odbc/Handle.h"

#include <QString>

namespace data::odbc {

// One connection to a data source with its own environment; disconnects when it goes. Cursors
// share it, so that it outlives every statement run on it.
class Session {
public:
    // Connects with an ODBC connection string, without prompting; read-only asks the driver to
    // refuse changes. Throws data::Error with the driver's description; when the connection
    // string names a data source (`dataSource`) the driver manager does not know, the
    // description names it first.
    Session(const QString& connectionString, bool readOnly, const QString& dataSource = {});
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;
    ~Session();

    const Handle& connection() const { return dbc_; }
    // Whether the driver's static cursors fetch a row by its position (asked once).
    bool fetchesByPosition();
    // Ends the transaction the driver may hold open for its cursors, undoing it: the connection
    // only reads, and a failed transaction refuses every statement after it.
    void endTransaction();

private:
    Handle env_;
    Handle dbc_;
    int byPosition_ = -1; // not asked yet
};

} // namespace data::odbc
