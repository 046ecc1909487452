#include "data/workbook/XlsxFile.h"

#include "data/workbook/Messages.h"
#include "data/workbook/SheetList.h"
#include "data/workbook/XlsxSharedStrings.h"
#include "data/workbook/XlsxSheetTable.h"
#include "data/workbook/XlsxStyles.h"

namespace data::workbook {

XlsxFile::XlsxFile(const QString& path, const QLocale& locale)
    : package_(path), book_(readXlsxWorkbook(package_)),
      sharedStrings_(readXlsxSharedStrings(package_, book_.sharedStrings)),
      dateStyles_(readXlsxDateStyles(package_, book_.styles)),
      decimalPoint_(locale.decimalPoint()) {
    for (const XlsxSheetPart& sheet : book_.worksheets)
        tableNames_.append(sheet.name + u'$');
    tables_.resize(book_.worksheets.size());
}

std::vector<TableEntry> XlsxFile::tableEntries() const {
    return systemTables(tableNames_);
}

QStringList XlsxFile::tableNames() {
    return tableNames_;
}

std::optional<jet::SourceTable> XlsxFile::describe(const QString& name) {
    const std::optional<std::size_t> sheet = find(name);
    if (!sheet)
        return std::nullopt;
    return table(*sheet).definition;
}

void XlsxFile::load(const QString& name, jet::RowSink& sink) {
    const std::optional<std::size_t> sheet = find(name);
    if (!sheet)
        throw data::messages::noSuchTable(name);
    loadXlsxSheet(package_, book_.worksheets[*sheet].part, context(), table(*sheet), decimalPoint_,
                  sink);
}

std::optional<std::size_t> XlsxFile::find(const QString& name) const {
    const qsizetype index = indexOfTable(tableNames_, name);
    if (index < 0)
        return std::nullopt;
    return static_cast<std::size_t>(index);
}

const SheetTable& XlsxFile::table(std::size_t sheet) {
    std::optional<SheetTable>& table = tables_[sheet];
    if (!table)
        table = describeXlsxSheet(package_, book_.worksheets[sheet].part, context(),
                                  tableNames_[static_cast<qsizetype>(sheet)], decimalPoint_);
    return *table;
}

} // namespace data::workbook
