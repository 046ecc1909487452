#include "data/workbook/WorkbookProvider.h"

#include "data/FileKind.h"
#include "data/jet/JetProvider.h"
#include "data/workbook/WorkbookFile.h"
#include "data/workbook/XlsxFile.h"

namespace data::workbook {

namespace {

template <typename File> std::unique_ptr<Provider> providerOver(const QString& path) {
    auto file = std::make_shared<File>(path);
    return std::make_unique<jet::JetProvider>(file, [file] { return file->tableEntries(); });
}

} // namespace

std::unique_ptr<Provider> openWorkbookProvider(const QString& path) {
    if (isZipPackage(path))
        return providerOver<XlsxFile>(path);
    return providerOver<WorkbookFile>(path);
}

} // namespace data::workbook
