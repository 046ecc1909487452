#include "data/access/LongValueReader.h"

#include "data/access/ChainWalk.h"
#include "data/access/Damage.h"
#include "data/access/LittleEndian.h"

namespace data::access {

namespace {
constexpr int ReferenceSize = MDB_MEMO_OVERHEAD;
constexpr std::uint32_t Inline = 0x80000000u;
constexpr std::uint32_t SingleRow = 0x40000000u;
constexpr std::uint32_t FlagBits = Inline | SingleRow;
constexpr std::size_t NextLinkSize = 4; // each row of a chain starts with the next row's place
} // namespace

LongValueReader::LongValueReader(MdbHandle& mdb, const FileLayout& layout)
    : mdb_(mdb), layout_(layout) {}

const std::vector<unsigned char>& LongValueReader::read(int start, int size) {
    value_.clear();
    if (size == 0)
        return value_;
    if (size < ReferenceSize)
        throw Damage(QStringLiteral("a memo or OLE reference of %1 bytes is too short").arg(size));
    const unsigned char* reference = mdb_.pg_buf + start;
    const auto header = readLittleEndian<std::uint32_t>(reference);
    const std::size_t length = header & ~FlagBits;
    const auto where = readLittleEndian<std::uint32_t>(reference + 4);
    // No value is longer than the file that holds it; a longer claim is not read at all.
    if (length > layout_.byteCount())
        throw Damage(QStringLiteral("a memo or OLE value claims %1 bytes, more than the file holds")
                         .arg(length));

    switch (header & FlagBits) {
    case Inline:
        if (length > static_cast<std::size_t>(size - ReferenceSize))
            throw Damage(QStringLiteral("an inline memo or OLE value overruns its row"));
        append(reference + ReferenceSize, length);
        break;
    case SingleRow: {
        const Piece piece = locate(where);
        if (piece.size < length)
            throw Damage(QStringLiteral("a memo or OLE value is shorter than it claims"));
        append(piece.bytes, length);
        break;
    }
    case 0: {
        // A row met twice is a loop: the chain would repeat itself up to the claimed length.
        ChainWalk chain(QStringLiteral("the chain of a memo or OLE value"));
        for (std::uint32_t next = where; next != 0;) {
            chain.step(next);
            const Piece piece = locate(next);
            if (piece.size <= NextLinkSize)
                throw Damage(QStringLiteral("a memo or OLE value has an empty link"));
            next = readLittleEndian<std::uint32_t>(piece.bytes);
            append(piece.bytes + NextLinkSize, piece.size - NextLinkSize);
            if (value_.size() > length)
                throw Damage(QStringLiteral("a memo or OLE value is longer than it claims"));
        }
        if (value_.size() != length)
            throw Damage(QStringLiteral("a memo or OLE value is shorter than it claims"));
        break;
    }
    default:
        throw Damage(QStringLiteral("a memo or OLE reference has unknown flags"));
    }
    return value_;
}

LongValueReader::Piece LongValueReader::locate(std::uint32_t pageRow) {
    const std::uint32_t page = pageRow >> 8;
    if (!layout_.holdsPage(page))
        throw Damage(QStringLiteral("a memo or OLE value points to page %1 beyond the end of "
                                    "the file")
                         .arg(page));
    void* buffer = nullptr;
    int offset = 0;
    std::size_t size = 0;
    if (mdb_find_pg_row(&mdb_, static_cast<int>(pageRow), &buffer, &offset, &size) != 0)
        throw Damage(
            QStringLiteral("a memo or OLE value points to a missing row on page %1").arg(page));
    const auto* bytes = static_cast<const unsigned char*>(buffer);
    if (bytes[0] != MDB_PAGE_DATA)
        throw Damage(QStringLiteral("a memo or OLE value points to page %1, which holds no "
                                    "data")
                         .arg(page));
    return {bytes + offset, size};
}

void LongValueReader::append(const unsigned char* bytes, std::size_t size) {
    value_.insert(value_.end(), bytes, bytes + size);
}

} // namespace data::access
