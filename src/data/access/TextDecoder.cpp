#include "data/access/TextDecoder.h"

#include "data/Error.h"
#include "data/access/LittleEndian.h"

#include <QStringDecoder>

namespace data::access {

namespace {
// The most UTF-8 bytes one stored byte can become, whatever the code page.
constexpr std::size_t MaxBytesPerStoredByte = 4;

QString decodeCompressed(const unsigned char* bytes, std::size_t size) {
    QString text;
    text.reserve(static_cast<qsizetype>(size));
    bool oneByte = true;
    std::size_t i = 2;
    while (i < size) {
        if (bytes[i] == 0) {
            oneByte = !oneByte;
            ++i;
        } else if (oneByte) {
            text.append(QChar(static_cast<char16_t>(bytes[i])));
            ++i;
        } else if (i + 1 < size) {
            text.append(QChar(readLittleEndian<char16_t>(bytes + i)));
            i += 2;
        } else {
            break; // an odd byte at the end carries no character
        }
    }
    return text;
}
} // namespace

QString decodeUtf16Text(const unsigned char* bytes, std::size_t size) {
    if (size >= 2 && bytes[0] == 0xFF && bytes[1] == 0xFE)
        return decodeCompressed(bytes, size);
    QString text(static_cast<qsizetype>(size / 2), Qt::Uninitialized);
    QChar* out = text.data();
    for (std::size_t i = 0; i + 1 < size; i += 2)
        *out++ = QChar(readLittleEndian<char16_t>(bytes + i));
    return text;
}

TextDecoder::TextDecoder(MdbHandle& mdb) : mdb_(mdb) {
    const char* charset = mdb_target_charset(&mdb);
    const auto encoding = QStringConverter::encodingForName(charset ? charset : "UTF-8");
    if (!encoding)
        throw Error(QStringLiteral("The character set '%1' named by the MDBICONV environment "
                                   "variable is not one the program can read; unset it or "
                                   "set it to UTF-8.")
                        .arg(QString::fromLocal8Bit(charset)));
    libraryEncoding_ = *encoding;
}

QString TextDecoder::decode(const unsigned char* bytes, std::size_t size) {
    if (mdb_.f->jet_version == MDB_VER_JET3)
        return decodeSingleByte(bytes, size);
    return decodeUtf16Text(bytes, size);
}

QString TextDecoder::fromLibrary(const char* converted) const {
    QStringDecoder decoder(libraryEncoding_);
    return decoder(QByteArrayView(converted));
}

QString TextDecoder::decodeSingleByte(const unsigned char* bytes, std::size_t size) {
    converted_.resize(size * MaxBytesPerStoredByte + 1);
    const int length = mdb_unicode2ascii(&mdb_, reinterpret_cast<const char*>(bytes), size,
                                         converted_.data(), converted_.size());
    QStringDecoder decoder(libraryEncoding_);
    return decoder(QByteArrayView(converted_.data(), length));
}

} // namespace data::access
