#pragma once

#include <QString>

// Writing names and text into SQLite statements.
namespace data::jet {

// "name", with any double quote inside doubled.
QString quoteIdentifier(const QString& name);

// 'text', with any single quote inside doubled.
QString quoteString(const QString& text);

} // namespace data::jet
