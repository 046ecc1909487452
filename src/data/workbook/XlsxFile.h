#pragma once

#include "data/TableEntry.h"
#include "data/jet/TableSource.h"
#include "data/workbook/SheetTable.h"
#include "data/workbook/XlsxPackage.h"
#include "data/workbook/XlsxSheet.h"
#include "data/workbook/XlsxSheetTable.h"
#include "data/workbook/XlsxWorkbook.h"

#include <QLocale>
#include <optional>
#include <vector>

// An Excel 2007 and later workbook (.xlsx, .xlsm) read as a set of tables, strictly for reading,
// with the same tables as an .xls workbook (see WorkbookFile): every worksheet a table named after
// the sheet with "$" appended, in the workbook's order. The workbook part, the shared strings and
// the styles are read when the file opens; a sheet's part is read when its table is first
// described (a large sheet's first rows only) and again when it is loaded.
namespace data::workbook {

class XlsxFile : public jet::TableSource {
public:
    explicit XlsxFile(const QString& path, const QLocale& locale = QLocale());

    const QString& path() const { return package_.path(); }
    // Every worksheet in the workbook's order, of type "SYSTEM TABLE".
    std::vector<TableEntry> tableEntries() const;

    QStringList tableNames() override;
    std::optional<jet::SourceTable> describe(const QString& name) override;
    void load(const QString& name, jet::RowSink& sink) override;

private:
    std::optional<std::size_t> find(const QString& name) const;
    SheetTable& described(std::size_t sheet);
    XlsxCellContext context() const { return {sharedStrings_, dateStyles_, book_.dates1904}; }

    XlsxPackage package_;
    XlsxWorkbook book_;
    StringTable sharedStrings_;
    std::vector<bool> dateStyles_;
    QString decimalPoint_;
    QStringList tableNames_;
    std::vector<std::optional<SheetTable>> tables_;
};

} // namespace data::workbook
