#include "data/FileKind.h"

#include <QFile>
#include <QFileInfo>

namespace data {

namespace {

// An Access database names its engine at byte 4 of its first page.
bool isAccess(const QByteArray& head) {
    const QByteArray name = head.mid(4, 15);
    return name == "Standard Jet DB" || name == "Standard ACE DB";
}

// A compound file (every Excel workbook from Excel 5 on), or a BIFF stream that starts with a
// BOF record of Excel 2, 3, 4 or later, as the oldest workbooks are.
bool isWorkbook(const QByteArray& head) {
    static const QByteArray compound("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8);
    if (head.startsWith(compound))
        return true;
    if (head.size() < 4)
        return false;
    const auto byte = [&](int i) { return static_cast<unsigned char>(head[i]); };
    const bool bof = byte(0) == 0x09 &&
                     (byte(1) == 0x00 || byte(1) == 0x02 || byte(1) == 0x04 || byte(1) == 0x08);
    const int length = byte(2) | byte(3) << 8;
    return bof && length >= 4 && length <= 20;
}

bool isZip(const QByteArray& head) {
    return head.startsWith("PK\x03\x04") || head.startsWith("PK\x05\x06");
}

} // namespace

bool isZipPackage(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) && isZip(file.read(4));
}

FileKind fileKindOf(const QString& path) {
    QFile file(path);
    if (file.open(QIODevice::ReadOnly)) {
        const QByteArray head = file.read(32);
        if (isAccess(head))
            return FileKind::Access;
        if (isWorkbook(head) || isZip(head))
            return FileKind::Workbook;
    }
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QLatin1String("mdb") || suffix == QLatin1String("accdb"))
        return FileKind::Access;
    if (suffix == QLatin1String("xls") || suffix == QLatin1String("xlsx") ||
        suffix == QLatin1String("xlsm"))
        return FileKind::Workbook;
    return FileKind::Unknown;
}

} // namespace data
