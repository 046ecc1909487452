#pragma once

#include "support/DataFailure.h"

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QTemporaryDir>
#include <stdexcept>

// Whole-file reads and writes for tests that make changed copies of sample files.
namespace test {

inline QByteArray contentsOf(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

inline QString writeFile(const QTemporaryDir& dir, const QString& name,
                         const QByteArray& contents) {
    const QString path = dir.filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(contents) != contents.size())
        throw std::runtime_error("cannot write " + path.toStdString());
    return path;
}

// The description of the data::Error reading ends in, "(empty description)" for one without
// words, and empty when it reads cleanly.
template <class Read> QString readFailure(Read&& read) {
    const QString failure = failureOf(std::forward<Read>(read));
    return failure.isNull() ? failure : failure.isEmpty() ? "(empty description)" : failure;
}

} // namespace test
