#pragma once

#include <sql.h>

namespace data::odbc {

// Owner of one handle of the ODBC driver manager, freed when its owner goes. A statement's owner
// goes before its connection's, a connection's before its environment's.
class Handle {
public:
    Handle() = default;
    // Allocates a handle of the given type under its parent; throws data::Error on failure.
    Handle(SQLSMALLINT type, const Handle& parent);
    // An ODBC 3 environment.
    static Handle environment();
    // An environment as ODBC 2 programs make it, with SQLAllocEnv.
    static Handle odbc2Environment();

    Handle(Handle&& other) noexcept;
    Handle& operator=(Handle&& other) noexcept;
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    ~Handle();

    SQLHANDLE get() const { return handle_; }
    SQLSMALLINT type() const { return type_; }

private:
    // Takes over a handle allocated elsewhere.
    static Handle adopt(SQLSMALLINT type, SQLHANDLE handle);

    SQLSMALLINT type_ = 0;
    SQLHANDLE handle_ = SQL_NULL_HANDLE;
};

} // namespace data::odbc
