#include "data/workbook/BiffText.h"

#include "data/workbook/Bytes.h"

#include <QStringDecoder>

namespace data::workbook::biff {

namespace {

qsizetype countAt(QByteArrayView data, qsizetype offset, int countBytes) {
    return countBytes == 1 ? readAt<quint8>(data, offset) : readAt<quint16>(data, offset);
}

} // namespace

QString unicodeText(QByteArrayView data, qsizetype offset, int countBytes) {
    const qsizetype count = countAt(data, offset, countBytes);
    qsizetype at = offset + countBytes;
    const quint8 flags = readAt<quint8>(data, at++);
    if (flags & RichText)
        at += 2;
    if (flags & FarEastData)
        at += 4;
    QString text;
    if (flags & WideCharacters) {
        for (qsizetype i = 0; i < count; ++i)
            text.append(QChar(readAt<quint16>(data, at + 2 * i)));
    } else {
        text = QString::fromLatin1(slice(data, at, count));
    }
    return text;
}

QString codePageText(QByteArrayView data, qsizetype offset, int countBytes, int codePage) {
    const qsizetype count = countAt(data, offset, countBytes);
    const QByteArrayView bytes = slice(data, offset + countBytes, count);
    // Excel names a few code pages by numbers of its own: 32768 and 10000 the Macintosh's,
    // 32769 Windows' Western one (1252).
    const QByteArray name = codePage == 32768 || codePage == 10000 ? QByteArray("macintosh")
                            : codePage == 32769                    ? QByteArray("windows-1252")
                                                : "windows-" + QByteArray::number(codePage);
    QStringDecoder decoder(name.constData());
    if (!decoder.isValid())
        return QString::fromLatin1(bytes);
    return decoder.decode(bytes);
}

} // namespace data::workbook::biff
