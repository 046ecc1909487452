#include "data/access/FileLayout.h"

#include "data/access/Messages.h"

#include <QFile>
#include <QFileInfo>
#include <cstring>

namespace data::access {

namespace {
// The first page starts with a zero byte, then the engine's name at offset 4 and the format's
// version at 0x14: 0 for Jet 3, 1 for Jet 4, 2 and up for the ACE formats of Access 2007-2019.
constexpr int VersionOffset = 0x14;
constexpr int HeaderSize = VersionOffset + 1;
constexpr unsigned char LastKnownVersion = 6;
constexpr char JetSignature[] = "Standard Jet DB";
constexpr char AceSignature[] = "Standard ACE DB";
constexpr std::uint32_t FirstCatalogPage = 2; // the page of MSysObjects' definition

bool hasAccessHeader(const QByteArray& header) {
    if (header.size() < HeaderSize || header.at(0) != 0)
        return false;
    const char* name = header.constData() + 4;
    const bool named = std::memcmp(name, JetSignature, sizeof JetSignature) == 0 ||
                       std::memcmp(name, AceSignature, sizeof AceSignature) == 0;
    return named && static_cast<unsigned char>(header.at(VersionOffset)) <= LastKnownVersion;
}
} // namespace

FileLayout layoutOf(const QString& path) {
    const QFileInfo info(path);
    FileLayout layout;
    layout.path = info.absoluteFilePath();
    data::messages::requireReadableFile(layout.path);

    QFile file(layout.path);
    if (!file.open(QIODevice::ReadOnly))
        throw messages::cannotOpen(layout.path, file.errorString());
    const QByteArray header = file.read(HeaderSize);
    if (!hasAccessHeader(header))
        throw messages::unrecognizedFormat(layout.path);

    layout.jet3 = header.at(VersionOffset) == 0;
    layout.pageSize = layout.jet3 ? 2048 : 4096;
    const qint64 size = file.size();
    if (size % layout.pageSize != 0)
        throw messages::damaged(layout.path,
                                QStringLiteral("its size of %1 bytes is not a whole number of "
                                               "%2-byte pages")
                                    .arg(size)
                                    .arg(layout.pageSize));
    const qint64 pages = size / layout.pageSize;
    if (pages <= FirstCatalogPage)
        throw messages::damaged(layout.path, QStringLiteral("it holds only %1 pages").arg(pages));
    layout.pageCount = static_cast<std::uint32_t>(pages);
    return layout;
}

} // namespace data::access
