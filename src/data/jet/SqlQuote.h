#pragma once

#include <QString>

// Writing names and text into SQLite statements.
namespace data::jet {

// "name", with any double quote inside doubled.
QString quoteIdentifier(const QString& name);

// 'text', with any single quote inside doubled; a text holding NUL characters is written as
// the quoted pieces joined by char(0), in parentheses.
QString quoteString(const QString& text);

} // namespace data::jet
