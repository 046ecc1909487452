#include "data/workbook/WorkbookRecords.h"

#include "data/workbook/BiffRecords.h"
#include "data/workbook/Bytes.h"
#include "data/workbook/CompoundFile.h"
#include "data/workbook/Messages.h"

#include <optional>

namespace data::workbook {

namespace {

// Every workbook since Excel 5 is a compound document, which starts with these bytes.
constexpr char CompoundSignature[] = "\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1";

bool isCompound(const QByteArray& contents) {
    return contents.startsWith(QByteArrayView(CompoundSignature, sizeof CompoundSignature - 1));
}

// Workbooks before Excel 5 are a bare stream of records that starts with a BOF record, whose
// type tells the version.
std::optional<QString> olderVersion(const QByteArray& contents) {
    if (contents.size() < 4)
        return std::nullopt;
    switch (readAt<quint16>(contents, 0)) {
    case biff::Biff2Bof:
        return QStringLiteral("Excel 2.x");
    case biff::Biff3Bof:
        return QStringLiteral("Excel 3.0");
    case biff::Biff4Bof:
        return QStringLiteral("Excel 4.0");
    default:
        return std::nullopt;
    }
}

WorkbookStreamRecords readCompound(const QString& path, const QByteArray& contents) {
    WorkbookStreamRecords read;
    bool encryptedPackage = false;
    try {
        read.stream = workbookStream(contents);
        encryptedPackage = read.stream.isEmpty() && isEncryptedPackage(contents);
    } catch (const Broken&) {
        throw messages::damaged(path, QStringLiteral("the table of its parts is broken"));
    }
    // A workbook of Excel 2007 and later saved with a password is such a file.
    if (encryptedPackage)
        throw messages::passwordProtected(path);
    if (read.stream.isEmpty())
        throw messages::notAWorkbook(path);
    try {
        read.globals = std::make_unique<WorkbookGlobals>(read.stream);
    } catch (const Broken&) {
        throw messages::damaged(path,
                                QStringLiteral("the records that list its sheets, formats and "
                                               "shared texts do not hold together"));
    }
    if (read.globals->encrypted())
        throw messages::passwordProtected(path);
    if (!read.globals->readable())
        throw messages::notAWorkbook(path);
    return read;
}

} // namespace

WorkbookStreamRecords readWorkbookRecords(const QString& path, const QByteArray& contents) {
    if (isCompound(contents))
        return readCompound(path, contents);
    if (const std::optional<QString> version = olderVersion(contents))
        throw messages::olderVersion(path, *version);
    throw messages::notAWorkbook(path);
}

} // namespace data::workbook
