#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QtEndian>
#include <type_traits>

// Reading numbers out of a workbook's raw bytes, each read checked against the bytes there are:
// a read past the end throws Broken, which the reader turns into a message about damage.
namespace data::workbook {

struct Broken {};

inline void require(bool condition) {
    if (!condition)
        throw Broken{};
}

inline QByteArrayView slice(QByteArrayView bytes, qsizetype offset, qsizetype length) {
    require(offset >= 0 && length >= 0 && offset <= bytes.size() &&
            length <= bytes.size() - offset);
    return bytes.sliced(offset, length);
}

template <typename T> T readAt(QByteArrayView bytes, qsizetype offset) {
    static_assert(std::is_arithmetic_v<T>);
    return qFromLittleEndian<T>(slice(bytes, offset, sizeof(T)).data());
}

} // namespace data::workbook
