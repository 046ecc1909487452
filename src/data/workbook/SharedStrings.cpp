#include "data/workbook/SharedStrings.h"

#include "data/workbook/BiffText.h"
#include "data/workbook/Bytes.h"

namespace data::workbook::biff {

namespace {

// The records' bytes read one after the other, each read within one record.
class ContinuedBytes {
public:
    explicit ContinuedBytes(const std::vector<QByteArrayView>& records) : records_(records) {}

    template <typename T> T number() {
        if (at_ == current().size())
            nextRecord();
        const T value = readAt<T>(current(), at_);
        at_ += sizeof(T);
        return value;
    }

    // `count` characters, each a byte or two as the flags say; a new flags byte begins each
    // record the characters run on into.
    QString characters(qsizetype count, quint8 flags) {
        QString text;
        while (count > 0) {
            const qsizetype width = flags & WideCharacters ? 2 : 1;
            if (current().size() - at_ < width) {
                nextRecord();
                flags = readAt<quint8>(current(), at_++);
                continue;
            }
            const qsizetype here = std::min(count, (current().size() - at_) / width);
            const QByteArrayView bytes = slice(current(), at_, here * width);
            if (width == 1) {
                text += QString::fromLatin1(bytes);
            } else {
                for (qsizetype i = 0; i < here; ++i)
                    text.append(QChar(readAt<quint16>(bytes, 2 * i)));
            }
            at_ += here * width;
            count -= here;
        }
        return text;
    }

    // Formatting, which runs on into the next record without a flags byte.
    void skip(qsizetype count) {
        while (count > 0) {
            if (at_ == current().size())
                nextRecord();
            const qsizetype here = std::min(count, current().size() - at_);
            at_ += here;
            count -= here;
        }
    }

private:
    QByteArrayView current() const { return records_.at(record_); }

    void nextRecord() {
        require(record_ + 1 < records_.size());
        ++record_;
        at_ = 0;
    }

    const std::vector<QByteArrayView>& records_;
    std::size_t record_ = 0;
    qsizetype at_ = 0;
};

// A string with its formatting, which is passed over.
QString stringAt(ContinuedBytes& bytes) {
    const qsizetype length = bytes.number<quint16>();
    const quint8 flags = bytes.number<quint8>();
    const qsizetype runs = flags & RichText ? bytes.number<quint16>() : 0;
    const qsizetype farEast = flags & FarEastData ? bytes.number<quint32>() : 0;
    QString text = bytes.characters(length, flags);
    bytes.skip(4 * runs + farEast);
    return text;
}

} // namespace

std::vector<QString> sharedStrings(const std::vector<QByteArrayView>& records) {
    if (records.empty())
        return {};
    ContinuedBytes bytes(records);
    bytes.skip(4); // the number of cells that name a shared string
    const quint32 count = bytes.number<quint32>();
    // Each string takes three bytes at least, so the bytes there are bound the strings read.
    std::vector<QString> strings;
    for (quint32 i = 0; i < count; ++i)
        strings.push_back(stringAt(bytes));
    return strings;
}

QString continuedString(const std::vector<QByteArrayView>& records) {
    ContinuedBytes bytes(records);
    return stringAt(bytes);
}

} // namespace data::workbook::biff
