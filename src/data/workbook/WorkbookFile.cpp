#include "data/workbook/WorkbookFile.h"

#include "data/workbook/Messages.h"
#include "data/workbook/SheetRows.h"

namespace data::workbook {

WorkbookFile::WorkbookFile(const QString& path, const QLocale& locale)
    : book_(path), decimalPoint_(locale.decimalPoint()) {
    for (const QString& sheet : book_.sheetNames())
        tableNames_.append(sheet + u'$');
    tables_.resize(static_cast<std::size_t>(tableNames_.size()));
}

std::vector<TableEntry> WorkbookFile::tableEntries() const {
    std::vector<TableEntry> entries;
    entries.reserve(static_cast<std::size_t>(tableNames_.size()));
    for (const QString& name : tableNames_)
        entries.push_back({name, QStringLiteral("SYSTEM TABLE")});
    return entries;
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
    for (qsizetype i = 0; i < tableNames_.size(); ++i)
        if (tableNames_[i].compare(name, Qt::CaseInsensitive) == 0)
            return static_cast<int>(i);
    return std::nullopt;
}

const SheetTable& WorkbookFile::select(int sheet) {
    const SheetExtent extent = book_.select(sheet);
    std::optional<SheetTable>& table = tables_[static_cast<std::size_t>(sheet)];
    if (!table)
        table = describeSheet(book_, extent, tableNames_[sheet], decimalPoint_);
    return *table;
}

} // namespace data::workbook
