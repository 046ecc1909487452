#include "data/workbook/XlsBook.h"

#include "data/workbook/Bytes.h"
#include "data/workbook/Messages.h"

#include <QFile>
#include <QFileInfo>

namespace data::workbook {

XlsBook::XlsBook(const QString& path) : path_(QFileInfo(path).absoluteFilePath()) {
    data::messages::requireReadableFile(path_);
    QFile file(path_);
    if (!file.open(QIODevice::ReadOnly))
        throw messages::cannotOpen(path_, file.errorString());
    records_ = readWorkbookRecords(path_, file.readAll());
    for (const ListedSheet& listed : records_.globals->sheets()) {
        if (!listed.worksheet)
            continue;
        sheetNames_.append(listed.name);
        sheetOffsets_.push_back(listed.offset);
    }
    if (sheetNames_.isEmpty())
        throw messages::noWorksheet(path_);
}

SheetExtent XlsBook::select(int sheet) {
    if (sheet != selected_) {
        selected_ = -1;
        cells_ = {};
        try {
            cells_ = readSheetCells(records_.stream, sheetOffsets_[static_cast<std::size_t>(sheet)],
                                    *records_.globals);
        } catch (const Broken&) {
            throw messages::damaged(
                path_, QStringLiteral("the records of its worksheet '%1' do not hold together")
                           .arg(sheetNames_[sheet]));
        }
        selected_ = sheet;
    }
    return {cells_.rows, cells_.columns};
}

CellValue XlsBook::cell(unsigned row, unsigned column) const {
    if (const CellValue* value = cells_.find(row, column))
        return *value;
    return {};
}

} // namespace data::workbook
