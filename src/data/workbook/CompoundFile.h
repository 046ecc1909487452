#pragma once

#include <QByteArray>
#include <QByteArrayView>

// A workbook file since Excel 5 is a compound document: a small file system of fixed-size
// sectors, chained through an allocation table, with a directory of named streams. The cells
// live in its stream "Workbook" ("Book" before Excel 97).
namespace data::workbook {

// The workbook stream of the file's bytes; empty when the file has none. Throws Broken when a
// chain, sector or directory entry points outside the file.
QByteArray workbookStream(QByteArrayView file);

} // namespace data::workbook
