#pragma once

#include "data/TableEntry.h"
#include "data/jet/TableSource.h"
#include "data/workbook/SheetTable.h"
#include "data/workbook/XlsBook.h"

#include <QLocale>
#include <optional>
#include <vector>

// An Excel workbook (.xls) read as a set of tables, strictly for reading: the file is read whole
// when it opens and nothing is written, locked or created beside it.
//
// Every worksheet is a table named after the sheet with "$" appended ("Sheet1$", "Joe's$"). The
// first row of the sheet's used range names the columns (see UsedRange, ColumnNames), each row
// below it is a row, and each column's type is judged from all of its values (see ColumnType).
// Values of a Text column are written as the region writes them (see CellText).
//
// Every failure is a data::Error: a missing file, a file that is no workbook, a damaged one, and
// a worksheet without any value, which can be listed but not described or loaded.
namespace data::workbook {

class WorkbookFile : public jet::TableSource {
public:
    // Numbers in Text columns take the locale's decimal point.
    explicit WorkbookFile(const QString& path, const QLocale& locale = QLocale());

    const QString& path() const { return book_.path(); }
    // Every worksheet in the workbook's order, of type "SYSTEM TABLE".
    std::vector<TableEntry> tableEntries() const;

    QStringList tableNames() override;
    std::optional<jet::SourceTable> describe(const QString& name) override;
    void load(const QString& name, jet::RowSink& sink) override;

private:
    std::optional<int> find(const QString& name) const;
    // The sheet, selected for reading, with its table described once and kept.
    const SheetTable& select(int sheet);

    XlsBook book_;
    QString decimalPoint_;
    QStringList tableNames_;
    std::vector<std::optional<SheetTable>> tables_;
};

} // namespace data::workbook
