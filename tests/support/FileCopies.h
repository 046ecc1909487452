#pragma once

#include "data/access/RecordingSink.h"
#include "support/DataFailure.h"

#include <QByteArray>
#include <QCryptographicHash>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>
#include <QTemporaryDir>
#include <stdexcept>

// Whole-file reads and writes for tests that make changed copies of sample files, and what the
// file readers must leave as they found it.
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

// A file's contents and time of change, and the listing of its folder.
struct FileState {
    QByteArray sha256;
    QDateTime modified;
    QStringList folder;

    static FileState of(const QString& path) {
        return {QCryptographicHash::hash(contentsOf(path), QCryptographicHash::Sha256),
                QFileInfo(path).lastModified(),
                QFileInfo(path).dir().entryList(QDir::AllEntries | QDir::Hidden)};
    }
    bool operator==(const FileState&) const = default;
};

// Opens the file with the reader `File` and reads every row of every table, passing over
// worksheets without cells; the number of rows read.
template <class File> long readEverything(const QString& path) {
    File file(path);
    access::RecordingSink sink;
    for (const QString& name : file.tableNames()) {
        try {
            file.describe(name);
        } catch (const data::Error& error) {
            if (error.description().endsWith("holds no cells."))
                continue;
            throw;
        }
        file.load(name, sink);
    }
    return static_cast<long>(sink.rows.size());
}

// The description of the data::Error reading the whole file ends in, "(empty description)" for
// one without words, and empty when it reads cleanly.
template <class File> QString readFailure(const QString& path) {
    const QString failure = failureOf([&] { readEverything<File>(path); });
    return failure.isNull() ? failure : failure.isEmpty() ? "(empty description)" : failure;
}

} // namespace test
