#pragma once

#include <QString>
#include <sqltypes.h>

// Text for the driver manager's wide-character calls, whose SQLWCHAR is UTF-16 like QChar.
namespace data::odbc {

static_assert(sizeof(SQLWCHAR) == sizeof(QChar), "unixODBC's SQLWCHAR must be UTF-16");

// The text as the calls take it; valid while the text lives unchanged.
inline SQLWCHAR* wide(const QString& text) {
    return reinterpret_cast<SQLWCHAR*>(const_cast<ushort*>(text.utf16()));
}

inline QString fromWide(const SQLWCHAR* text, qsizetype length) {
    return QString(reinterpret_cast<const QChar*>(text), length);
}

} // namespace data::odbc
