#include "data/odbc/Handle.h"

#include "data/Error.h"
#include "data/odbc/Diagnostics.h"

#include <sqlext.h>
#include <utility>

namespace data::odbc {

namespace {
const QString NoEnvironment =
    QStringLiteral("The ODBC driver manager cannot set up an environment.");
} // namespace

Handle::Handle(SQLSMALLINT type, const Handle& parent) : type_(type) {
    check(SQLAllocHandle(type, parent.get(), &handle_), parent);
}

Handle Handle::environment() {
    SQLHANDLE env = SQL_NULL_HANDLE;
    if (!succeeded(SQLAllocHandle(SQL_HANDLE_ENV, SQL_NULL_HANDLE, &env)))
        throw Error(NoEnvironment);
    Handle owner = adopt(SQL_HANDLE_ENV, env);
    check(SQLSetEnvAttr(env, SQL_ATTR_ODBC_VERSION, reinterpret_cast<SQLPOINTER>(SQL_OV_ODBC3), 0),
          owner);
    return owner;
}

Handle Handle::odbc2Environment() {
    SQLHENV env = SQL_NULL_HENV;
    if (!succeeded(SQLAllocEnv(&env)))
        throw Error(NoEnvironment);
    return adopt(SQL_HANDLE_ENV, env);
}

Handle Handle::adopt(SQLSMALLINT type, SQLHANDLE handle) {
    Handle owner;
    owner.type_ = type;
    owner.handle_ = handle;
    return owner;
}

Handle::Handle(Handle&& other) noexcept
    : type_(other.type_), handle_(std::exchange(other.handle_, nullptr)) {}

Handle& Handle::operator=(Handle&& other) noexcept {
    if (this != &other) {
        Handle old(std::move(*this));
        type_ = other.type_;
        handle_ = std::exchange(other.handle_, nullptr);
    }
    return *this;
}

Handle::~Handle() {
    if (handle_ != SQL_NULL_HANDLE)
        SQLFreeHandle(type_, handle_);
}

} // namespace data::odbc
