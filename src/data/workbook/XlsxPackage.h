#pragma once

#include <QIODevice>
#include <QString>
#include <memory>

struct zip;

// The package of an Excel 2007 and later workbook (.xlsx, .xlsm): a zip archive of parts, each
// an XML document named by its path inside the archive ("xl/workbook.xml"). The archive is opened
// read-only and its parts are read as streams, never whole.
//
// A part is hostile until read: what its entry says it unpacks to is bounded both by a fixed cap
// and by a multiple of the archive's size, and reading stops with a message as soon as the bytes
// unpacked exceed what the entry says; so an archive that unpacks to far more than it could hold
// (a zip bomb) is refused, however it is built.
namespace data::workbook {

// Reads one part as it unpacks. A failure (a damaged entry, bytes beyond the entry's size) ends
// the stream early and is kept as problem(), which the reader of the part reports in place of
// the XML reader's complaint about a document cut short. Read on the program's thread (opening a
// package, describing a sheet), each block read is a step of the operation running, which the
// user may stop: the stream then ends early too, and stopped() tells so.
class PartStream : public QIODevice {
public:
    const QString& problem() const { return problem_; }
    bool stopped() const { return stopped_; }
    bool isSequential() const override { return true; }

protected:
    PartStream() = default;
    qint64 writeData(const char*, qint64) override { return -1; }
    QString problem_;
    bool stopped_ = false;
};

class XlsxPackage {
public:
    // Fails with the data::Error the user sees for a missing file, one that cannot be opened and
    // one that is no zip archive or a damaged one.
    explicit XlsxPackage(const QString& path);
    ~XlsxPackage();
    XlsxPackage(const XlsxPackage&) = delete;
    XlsxPackage& operator=(const XlsxPackage&) = delete;

    const QString& path() const { return path_; }
    // The archive's size in bytes.
    qint64 size() const { return size_; }
    // Part names are compared without regard to case, as the package's parts are.
    bool contains(const QString& part) const;
    // The part, opened for reading. Fails with data::Error when the archive does not hold it, its
    // entry is encrypted or says it unpacks to more than the limit.
    std::unique_ptr<PartStream> open(const QString& part) const;

    // The most bytes a part of an archive of the size given may unpack to.
    static qint64 partLimit(qint64 archiveSize);

private:
    QString path_; // absolute, as messages show it
    qint64 size_ = 0;
    zip* archive_ = nullptr;
};

} // namespace data::workbook
