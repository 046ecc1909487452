#include "Mutation.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace fuzz {

namespace {

// Values that lengths, counts, page numbers and sector numbers go wrong with.
constexpr std::array<std::uint32_t, 10> Telling = {
    0, 1, 0x7F, 0x80, 0xFF, 0x7FFF, 0xFFFF, 0x7FFFFFFF, 0xFFFFFFFE, 0xFFFFFFFF};

// The block sizes of the files read: workbook sectors, Jet 3 and Jet 4 pages.
constexpr std::array<qsizetype, 4> Blocks = {64, 512, 2048, 4096};

} // namespace

QByteArray Mutation::of(const QByteArray& input) {
    QByteArray bytes = input;
    const int changes = 1 + int(below(4));
    for (int i = 0; i < changes && !bytes.isEmpty(); ++i)
        once(bytes);
    return bytes;
}

void Mutation::once(QByteArray& bytes) {
    const qsizetype size = bytes.size();
    switch (below(8)) {
    case 0: { // a bit flipped
        const qsizetype at = below(size);
        bytes[at] = char(bytes[at] ^ char(1 << below(8)));
        break;
    }
    case 1: { // a telling value, two or four bytes wide, little-endian
        const std::uint32_t value = Telling[std::size_t(below(qsizetype(Telling.size())))];
        const qsizetype width = below(2) ? 4 : 2;
        const qsizetype at = below(std::max<qsizetype>(1, size - width));
        for (qsizetype i = 0; i < width && at + i < size; ++i)
            bytes[at + i] = char((value >> (8 * i)) & 0xFF);
        break;
    }
    case 2: { // a run of random bytes
        const qsizetype at = below(size);
        const qsizetype length = std::min<qsizetype>(1 + below(32), size - at);
        for (qsizetype i = 0; i < length; ++i)
            bytes[at + i] = char(random_() & 0xFF);
        break;
    }
    case 3: // cut short
        bytes.truncate(below(size));
        break;
    default: { // a whole block zeroed, repeated over another, or swapped with another
        const qsizetype block = Blocks[std::size_t(below(qsizetype(Blocks.size())))];
        const qsizetype count = size / block;
        if (count < 2)
            break;
        const qsizetype a = below(count) * block, b = below(count) * block;
        const int how = int(below(3));
        if (how == 0) {
            std::memset(bytes.data() + a, 0, std::size_t(block));
        } else if (how == 1) {
            std::memmove(bytes.data() + a, bytes.constData() + b, std::size_t(block));
        } else {
            const QByteArray saved = bytes.mid(a, block);
            std::memmove(bytes.data() + a, bytes.constData() + b, std::size_t(block));
            std::memcpy(bytes.data() + b, saved.constData(), std::size_t(block));
        }
        break;
    }
    }
}

} // namespace fuzz
