#include "data/workbook/XlsBook.h"

#include "data/workbook/Messages.h"
#include "data/workbook/WorkbookRecords.h"

#include <QFile>
#include <QFileInfo>

namespace data::workbook {

namespace {

QString problemOf(int code) {
    switch (code) {
    case FREEXL_CFBF_READ_ERROR:
    case FREEXL_CFBF_SEEK_ERROR:
        return QStringLiteral("part of it is missing (is it cut short?)");
    case FREEXL_CFBF_INVALID_SIGNATURE:
    case FREEXL_CFBF_INVALID_SECTOR_SIZE:
    case FREEXL_CFBF_EMPTY_FAT_CHAIN:
    case FREEXL_CFBF_ILLEGAL_FAT_ENTRY:
    case FREEXL_INVALID_MINI_STREAM:
    case FREEXL_CFBF_ILLEGAL_MINI_FAT_ENTRY:
        return QStringLiteral("the table of its parts is broken");
    case FREEXL_BIFF_INVALID_SST:
    case FREEXL_BIFF_ILLEGAL_SST_INDEX:
        return QStringLiteral("its list of shared texts is broken");
    case FREEXL_INVALID_CHARACTER:
        return QStringLiteral("it holds text that its character set cannot have");
    case FREEXL_UNSUPPORTED_CHARSET:
        return QStringLiteral("its character set is not supported");
    case FREEXL_ILLEGAL_CELL_ROW_COL:
        return QStringLiteral("a cell lies outside its worksheet");
    case FREEXL_ILLEGAL_RK_VALUE:
        return QStringLiteral("a number cell is broken");
    case FREEXL_INSUFFICIENT_MEMORY:
        return QStringLiteral("there is not enough memory to read it");
    default:
        return QStringLiteral("its contents are malformed (FreeXL error %1)").arg(code);
    }
}

unsigned infoOf(const void* handle, unsigned short what) {
    unsigned value = FREEXL_UNKNOWN;
    return freexl_get_info(handle, what, &value) == FREEXL_OK ? value : FREEXL_UNKNOWN;
}

QString textOf(const char* utf8) {
    return utf8 ? QString::fromUtf8(utf8) : QString();
}

// FreeXL writes a date 'YYYY-MM-DD', a date and time 'YYYY-MM-DD HH:MM:SS' and a time of day
// 'HH:MM:SS'; a time alone falls on day zero. Text that is none of these stays text.
CellValue dateValue(const QString& text, bool timeOnly) {
    const QByteArray engineText =
        timeOnly ? QByteArrayLiteral("1899-12-30 ") + text.toLatin1() : text.toLatin1();
    if (const auto parts = jet::parseEngineDate(engineText.toStdString()))
        return *parts;
    return text;
}

} // namespace

XlsBook::XlsBook(const QString& path) : path_(QFileInfo(path).absoluteFilePath()) {
    data::messages::requireReadableFile(path_);
    QFile file(path_);
    if (!file.open(QIODevice::ReadOnly))
        throw messages::cannotOpen(path_, file.errorString());
    CheckedWorkbook checked = checkWorkbook(path_, file.readAll());
    file.close();
    results_ = std::move(checked.results);
    if (results_.empty())
        throw messages::noWorksheet(path_);

    const int status = openInFreeXl(checked.freeXlBytes, handle_);
    if (status == FREEXL_FILE_NOT_FOUND)
        throw messages::cannotOpen(path_, QStringLiteral("there is not enough memory to read it"));
    if (status != FREEXL_OK) {
        if (status == FREEXL_BIFF_WORKBOOK_NOT_FOUND || status == FREEXL_BIFF_INVALID_BOF)
            throw messages::notAWorkbook(path_);
        throw messages::damaged(path_, problemOf(status));
    }
    if (infoOf(handle_.get(), FREEXL_BIFF_PASSWORD) == FREEXL_BIFF_OBFUSCATED)
        throw messages::passwordProtected(path_);

    const unsigned count = infoOf(handle_.get(), FREEXL_BIFF_SHEET_COUNT);
    if (count == 0 || count == FREEXL_UNKNOWN)
        throw messages::damaged(path_, QStringLiteral("no worksheet can be found in it"));
    if (count != results_.size())
        throw messages::damaged(path_, QStringLiteral("its list of worksheets is broken"));
    for (unsigned i = 0; i < count; ++i) {
        const char* name = nullptr;
        const int read =
            freexl_get_worksheet_name(handle_.get(), static_cast<unsigned short>(i), &name);
        if (read != FREEXL_OK)
            throw messages::damaged(path_, problemOf(read));
        sheetNames_.append(textOf(name));
    }
}

SheetExtent XlsBook::select(int sheet) {
    int status = freexl_select_active_worksheet(handle_.get(), static_cast<unsigned short>(sheet));
    SheetExtent extent;
    unsigned short columns = 0;
    if (status == FREEXL_OK)
        status = freexl_worksheet_dimensions(handle_.get(), &extent.rows, &columns);
    if (status != FREEXL_OK)
        throw messages::damaged(path_, problemOf(status));
    extent.columns = columns;
    freeXlExtent_ = extent;
    selectedResults_ = &results_[static_cast<std::size_t>(sheet)];
    extent.rows = std::max(extent.rows, selectedResults_->rows);
    extent.columns = std::max(extent.columns, selectedResults_->columns);
    return extent;
}

CellValue XlsBook::cell(unsigned row, unsigned column) const {
    if (selectedResults_)
        if (const CellValue* result = selectedResults_->find(row, column))
            return *result;
    if (row >= freeXlExtent_.rows || column >= freeXlExtent_.columns)
        return {};
    FreeXL_CellValue value;
    const int status =
        freexl_get_cell_value(handle_.get(), row, static_cast<unsigned short>(column), &value);
    if (status != FREEXL_OK)
        throw messages::damaged(path_, problemOf(status));
    switch (value.type) {
    case FREEXL_CELL_INT:
        return static_cast<double>(value.value.int_value);
    case FREEXL_CELL_DOUBLE:
        return value.value.double_value;
    case FREEXL_CELL_TEXT:
    case FREEXL_CELL_SST_TEXT: {
        QString text = textOf(value.value.text_value);
        if (text.isEmpty())
            return {};
        return text;
    }
    case FREEXL_CELL_DATE:
    case FREEXL_CELL_DATETIME:
        return dateValue(textOf(value.value.text_value), false);
    case FREEXL_CELL_TIME:
        return dateValue(textOf(value.value.text_value), true);
    default:
        return {};
    }
}

} // namespace data::workbook
