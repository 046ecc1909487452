#include "data/workbook/WorkbookProvider.h"

#include "data/jet/JetProvider.h"
#include "data/workbook/WorkbookFile.h"

namespace data::workbook {

std::unique_ptr<Provider> openWorkbookProvider(const QString& path) {
    auto file = std::make_shared<WorkbookFile>(path);
    return std::make_unique<jet::JetProvider>(file, [file] { return file->tableEntries(); });
}

} // namespace data::workbook
