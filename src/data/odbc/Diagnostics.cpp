#include "data/odbc/Diagnostics.h"

#include "data/Error.h"
#include "data/odbc/Handle.h"
#include "data/odbc/WideText.h"

#include <QStringList>
#include <sqlext.h>
#include <vector>

namespace data::odbc {

namespace {

// One diagnostic record's message, or a null string when there are no more records.
QString message(const Handle& handle, SQLSMALLINT record) {
    std::vector<SQLWCHAR> text(SQL_MAX_MESSAGE_LENGTH);
    for (;;) {
        SQLWCHAR state[6] = {};
        SQLINTEGER nativeError = 0;
        SQLSMALLINT length = 0;
        const SQLRETURN rc =
            SQLGetDiagRecW(handle.type(), handle.get(), record, state, &nativeError, text.data(),
                           SQLSMALLINT(text.size()), &length);
        if (!succeeded(rc))
            return {};
        if (length < SQLSMALLINT(text.size()))
            return fromWide(text.data(), length);
        text.resize(std::size_t(length) + 1);
    }
}

} // namespace

QString diagnosticText(const Handle& handle) {
    QStringList messages;
    for (SQLSMALLINT record = 1;; ++record) {
        const QString text = message(handle, record);
        if (text.isNull())
            break;
        const QString line = text.trimmed();
        if (!line.isEmpty() && !messages.contains(line))
            messages << line;
    }
    return messages.join(QLatin1Char('\n'));
}

QString diagnosticState(const Handle& handle) {
    SQLWCHAR state[6] = {};
    SQLINTEGER nativeError = 0;
    SQLWCHAR text[1] = {};
    SQLSMALLINT length = 0;
    const SQLRETURN rc =
        SQLGetDiagRecW(handle.type(), handle.get(), 1, state, &nativeError, text, 1, &length);
    return rc == SQL_SUCCESS || rc == SQL_SUCCESS_WITH_INFO ? fromWide(state, 5) : QString();
}

void check(SQLRETURN rc, const Handle& handle) {
    if (succeeded(rc) || rc == SQL_NO_DATA)
        return;
    const QString text = diagnosticText(handle);
    throw Error(text.isEmpty() ? QStringLiteral("The ODBC call failed without a message.") : text);
}

} // namespace data::odbc
