#include "data/workbook/WorkbookRecords.h"

#include "data/workbook/BiffRecords.h"
#include "data/workbook/Bytes.h"
#include "data/workbook/CompoundFile.h"
#include "data/workbook/Messages.h"
#include "data/workbook/StreamCheck.h"

namespace data::workbook {

namespace {

// Every workbook since Excel 5 is a compound document, which starts with these bytes.
constexpr char CompoundSignature[] = "\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1";

bool isCompound(const QByteArray& contents) {
    return contents.startsWith(QByteArrayView(CompoundSignature, sizeof CompoundSignature - 1));
}

// Older workbooks are a bare stream of records that starts with a BOF record.
bool isBareStream(const QByteArray& contents) {
    if (contents.size() < 4)
        return false;
    const quint16 first = readAt<quint16>(contents, 0);
    return first == biff::Biff2Bof || first == biff::Biff3Bof || first == biff::Biff4Bof;
}

Error recordsBroken(const QString& path) {
    return messages::damaged(path, QStringLiteral("its records do not hold together"));
}

std::vector<SheetResults> readStream(const QString& path, QByteArrayView stream) {
    try {
        const WorkbookGlobals globals(stream);
        if (globals.encrypted())
            throw messages::passwordProtected(path);
        require(globals.readable());
        const auto& starts = globals.sheetOffsets();
        checkStream(stream, globals.version(), {starts.begin(), starts.end()});
        return readCellResults(stream, globals);
    } catch (const Broken&) {
        throw recordsBroken(path);
    }
}

std::vector<SheetResults> checkCompound(const QString& path, const QByteArray& contents) {
    QByteArray stream;
    try {
        stream = workbookStream(contents);
    } catch (const Broken&) {
        throw messages::damaged(path, QStringLiteral("the table of its parts is broken"));
    }
    if (stream.isEmpty())
        throw messages::notAWorkbook(path);
    return readStream(path, stream);
}

} // namespace

std::vector<SheetResults> checkWorkbook(const QString& path, const QByteArray& contents) {
    if (isCompound(contents))
        return checkCompound(path, contents);
    if (!isBareStream(contents))
        throw messages::notAWorkbook(path);
    try {
        checkBareStream(contents);
    } catch (const Broken&) {
        throw recordsBroken(path);
    }
    return {};
}

} // namespace data::workbook
