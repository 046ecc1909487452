#pragma once

#include "data/workbook/CellValue.h"

#include <QByteArrayView>
#include <QSet>
#include <vector>

// What the records at the head of a workbook stream (Excel 5 and later) tell about its cells:
// the version, the date system, the code page of its text, which cell formats show dates, and
// the list of sheets: where each one's records start and whether it is a worksheet.
namespace data::workbook {

// A sheet as the workbook lists it. Only a worksheet (or a dialog sheet) holds a table; a chart
// sheet, an Excel 4 macro sheet or a module is none.
struct ListedSheet {
    qsizetype offset = 0; // of its BOF record in the stream
    QString name;
    bool worksheet = false;
};

class WorkbookGlobals {
public:
    // Reads the records up to the end of the globals; throws Broken when they do not hold
    // together.
    explicit WorkbookGlobals(QByteArrayView stream);

    // Whether the stream is of a version whose cells can be read: BIFF5 (Excel 5, 95) or BIFF8
    // (Excel 97 to 2003).
    bool readable() const;
    quint16 version() const { return version_; }
    // Whether the workbook is protected by a password, which leaves its records unreadable.
    bool encrypted() const { return encrypted_; }
    // Every sheet in the workbook's order, named in the workbook's code page (Excel 5 and 95).
    const std::vector<ListedSheet>& sheets() const { return sheets_; }
    // Text stored with a count of `countBytes` bytes at the offset.
    QString text(QByteArrayView data, qsizetype offset, int countBytes) const;
    // The number as a cell of the style (XF index) shows it: a date and time when the style's
    // format shows a date or a time (a number outside the years dates can take stays a number),
    // else the number.
    CellValue number(double value, quint16 style) const;
    // The shared strings (Excel 97 to 2003), which text cells name by their index.
    const std::vector<QString>& sharedStrings() const { return sharedStrings_; }

private:
    quint16 version_ = 0;
    bool dates1904_ = false;
    bool encrypted_ = false;
    int codePage_ = 1252;
    std::vector<bool> dateStyles_; // by style
    std::vector<ListedSheet> sheets_;
    std::vector<QString> sharedStrings_;
};

} // namespace data::workbook
