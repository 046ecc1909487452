#include "data/workbook/Messages.h"

namespace data::workbook::messages {

Error notAWorkbook(const QString& path) {
    return Error(QStringLiteral("External table is not in the expected format: '%1' is not an "
                                "Excel workbook (.xls, .xlsx or .xlsm).")
                     .arg(path));
}

Error notAWorkbookPackage(const QString& path) {
    return Error(QStringLiteral("External table is not in the expected format: '%1' is a zip "
                                "archive that holds no Excel workbook (.xlsx, .xlsm).")
                     .arg(path));
}

Error partTooLarge(const QString& path, const QString& part, qint64 limit) {
    return Error(QStringLiteral("The workbook '%1' cannot be read: its part '%2' unpacks to more "
                                "than %3 MB, the most the program unpacks from a file of its "
                                "size (it may be a zip bomb).")
                     .arg(path, part)
                     .arg(limit >> 20));
}

Error passwordProtected(const QString& path) {
    return Error(QStringLiteral("The workbook '%1' is protected by a password and cannot be read.")
                     .arg(path));
}

Error olderVersion(const QString& path, const QString& version) {
    return Error(QStringLiteral("The workbook '%1' is in the format of %2, which is not supported; "
                                "save it as an Excel 97-2003 workbook to read it.")
                     .arg(path, version));
}

Error damaged(const QString& path, const QString& detail) {
    return Error(
        QStringLiteral("The workbook '%1' is damaged and cannot be read: %2.").arg(path, detail));
}

Error documentType(const QString& path, const QString& part) {
    return damaged(path, QStringLiteral("its part '%1' declares a document type, which no workbook "
                                        "part holds (its entities could expand without end)")
                             .arg(part));
}

Error noWorksheet(const QString& path) {
    return Error(QStringLiteral("The workbook '%1' holds no worksheet: its sheets are charts or "
                                "others without cells.")
                     .arg(path));
}

Error emptySheet(const QString& tableName) {
    return Error(QStringLiteral("The worksheet '%1' holds no cells.").arg(tableName));
}

Error tooWide(const QString& tableName, unsigned columns, unsigned most) {
    return Error(QStringLiteral("The worksheet '%1' holds values across %2 columns; a table can "
                                "have at most %3.")
                     .arg(tableName)
                     .arg(columns)
                     .arg(most));
}

} // namespace data::workbook::messages
