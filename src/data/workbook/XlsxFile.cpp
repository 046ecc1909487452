#include "data/workbook/XlsxFile.h"

#include "data/workbook/Messages.h"
#include "data/workbook/SheetList.h"
#include "data/workbook/XlsxSharedStrings.h"
#include "data/workbook/XlsxStyles.h"

namespace data::workbook {

namespace {
// The rows below the header row that describe a sheet before it is loaded. A sheet that holds
// more is described from these and read whole once, by its load; one whose later rows disagree
// (a column that holds only numbers in these rows and text further down) is read a second time.
constexpr unsigned DescribingRows = 10000;
} // namespace

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
    return described(*sheet).definition;
}

void XlsxFile::load(const QString& name, jet::RowSink& sink) {
    const std::optional<std::size_t> sheet = find(name);
    if (!sheet)
        throw data::messages::noSuchTable(name);
    SheetTable& table = described(*sheet);
    const SheetTable learned = loadXlsxSheet(package_, book_.worksheets[*sheet].part, context(),
                                             table, decimalPoint_, sink);
    const bool same = sameTable(learned, table);
    table = learned;
    if (!same)
        throw jet::DescriptionChanged(name);
}

std::optional<std::size_t> XlsxFile::find(const QString& name) const {
    const qsizetype index = indexOfTable(tableNames_, name);
    if (index < 0)
        return std::nullopt;
    return static_cast<std::size_t>(index);
}

SheetTable& XlsxFile::described(std::size_t sheet) {
    std::optional<SheetTable>& table = tables_[sheet];
    if (!table)
        table = describeXlsxSheet(package_, book_.worksheets[sheet].part, context(),
                                  tableNames_[static_cast<qsizetype>(sheet)], decimalPoint_,
                                  DescribingRows);
    return *table;
}

} // namespace data::workbook
