#pragma once

#include <QByteArray>
#include <QByteArrayView>

// A workbook file since Excel 5 is a compound document: a small file system of fixed-size
// sectors, chained through an allocation table, with a directory of named streams and storages.
// The cells live in its stream "Workbook" ("Book" before Excel 97), whatever the letter case;
// the other streams and storages (macros, controls, summaries) are passed over.
namespace data::workbook {

// The workbook stream of the file's bytes; empty when the file has none. A last sector cut short
// reads as if padded with zeros, as writers leave it. Throws Broken when a chain the stream is
// read through points outside the file or comes back to a sector it has passed, when a sector of
// the allocation table is listed twice, or when the chain holds less than the stream's size.
// Tables the stream is not read through (the small streams', when the workbook is no small
// stream) are not looked at.
QByteArray workbookStream(QByteArrayView file);

// Whether the file's directory names the stream of an encrypted package (see Directory). Throws
// Broken as workbookStream does.
bool isEncryptedPackage(QByteArrayView file);

} // namespace data::workbook
