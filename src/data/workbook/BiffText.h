#pragma once

#include <QByteArrayView>
#include <QString>

// Text as records hold it. Excel 97 and later (BIFF8) store a character count, a flags byte and
// the characters, one byte each when all are below 256, else two; Excel 5 and 95 (BIFF5) store
// a count and bytes in the workbook's code page.
namespace data::workbook::biff {

// The flags byte of BIFF8 text: characters of two bytes, the size of far east data and the
// count of formatting runs follow the flags.
constexpr quint8 WideCharacters = 0x01;
constexpr quint8 FarEastData = 0x04;
constexpr quint8 RichText = 0x08;

// The BIFF8 text at the offset, its count taking `countBytes` (1 or 2) bytes.
QString unicodeText(QByteArrayView data, qsizetype offset, int countBytes);
// The BIFF5 text at the offset, decoded by the code page's number (Windows code pages; Latin-1
// when Qt knows no such code page).
QString codePageText(QByteArrayView data, qsizetype offset, int countBytes, int codePage);

} // namespace data::workbook::biff
