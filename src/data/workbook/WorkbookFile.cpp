#include "data/workbook/WorkbookFile.h"

#include "data/workbook/Messages.h"
#include "data/workbook/SheetList.h"
#include "data/workbook/SheetRows.h"

namespace data::workbook {

WorkbookFile::WorkbookFile(const QString& path, const QLocale& locale)
    : book_(path), decimalPoint_(locale.decimalPoint()) {
    for (const QString& sheet : book_.sheetNames())
        tableNames_.append(sheet + u'$');
    tables_.resize(static_cast<std::size_t>(tableNames_.size()));
}

std::vector<TableEntry> WorkbookFile::tableEntries() const {
    return systemTables(tableNames_);
}

QStringList WorkbookFile::tableNames() {
    return tableNames_;
}

std::optional<jet::SourceTable> WorkbookFile::describe(const QString& name) {
    const std::optional<int> sheet = find(name);
    if (!sheet)
        return std::nullopt;
    return select(*sheet).definition;
}

void WorkbookFile::load(const QString& name, jet::RowSink& sink) {
    const std::optional<int> sheet = find(name);
    if (!sheet)
        throw data::messages::noSuchTable(name);
    loadSheet(book_, select(*sheet), decimalPoint_, sink);
}

std::optional<int> WorkbookFile::find(const QString& name) const {
    const qsizetype index = indexOfTable(tableNames_, name);
    if (index < 0)
        return std::nullopt;
    return static_cast<int>(index);
}

const SheetTable& WorkbookFile::select(int sheet) {
    const SheetExtent extent = book_.select(sheet);
    std::optional<SheetTable>& table = tables_[static_cast<std::size_t>(sheet)];
    if (!table)
        table = describeSheet(book_, extent, tableNames_[sheet], decimalPoint_);
    return *table;
}

} // namespace data::workbook
