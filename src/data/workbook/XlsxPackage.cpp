#include "data/workbook/XlsxPackage.h"

#include "data/Operation.h"
#include "data/workbook/Messages.h"

#include <QFile>
#include <QFileInfo>
#include <zip.h>

namespace data::workbook {

namespace {

// The cap on any part, however large the archive; and how many times the archive's size a part
// may unpack to. Sheets of plain numbers pack to a fifth or a tenth of their size, the most
// repetitive ones to about a hundredth.
constexpr qint64 PartCap = qint64(4) << 30;
constexpr qint64 PartsPerArchiveSize = 250;

QString zipProblem(int code) {
    zip_error_t error;
    zip_error_init_with_code(&error, code);
    const QString text = QString::fromLocal8Bit(zip_error_strerror(&error));
    zip_error_fini(&error);
    return text;
}

class ZipPartStream : public PartStream {
public:
    ZipPartStream(zip_file_t* file, QString part, qint64 declared)
        : file_(file), part_(std::move(part)), declared_(declared) {
        // The XML reader reads in blocks of its own; a buffer between would only copy.
        QIODevice::open(QIODevice::ReadOnly | QIODevice::Unbuffered);
    }
    ~ZipPartStream() override { zip_fclose(file_); }

protected:
    qint64 readData(char* data, qint64 most) override {
        if (!problem_.isEmpty() || stopped_ || most <= 0)
            return -1;
        // A table's load reads on a thread of its own, where the engine's thread hears the user
        // stop it.
        if (data::tickOnProgramThread()) {
            stopped_ = true;
            return -1;
        }
        const zip_int64_t read = zip_fread(file_, data, static_cast<zip_uint64_t>(most));
        if (read < 0) {
            problem_ =
                QStringLiteral("its part '%1' cannot be unpacked (%2)")
                    .arg(part_,
                         QString::fromLocal8Bit(zip_error_strerror(zip_file_get_error(file_))));
            return -1;
        }
        unpacked_ += read;
        if (unpacked_ > declared_) {
            problem_ = QStringLiteral("its part '%1' unpacks to more than the %2 bytes its entry "
                                      "in the archive gives")
                           .arg(part_)
                           .arg(declared_);
            return -1;
        }
        return read;
    }

private:
    zip_file_t* file_;
    QString part_;
    qint64 declared_;
    qint64 unpacked_ = 0;
};

} // namespace

XlsxPackage::XlsxPackage(const QString& path) : path_(QFileInfo(path).absoluteFilePath()) {
    const QFileInfo info(path_);
    data::messages::requireReadableFile(path_);
    size_ = info.size();
    int code = 0;
    archive_ = zip_open(QFile::encodeName(path_).constData(), ZIP_RDONLY, &code);
    if (archive_)
        return;
    if (code == ZIP_ER_OPEN || code == ZIP_ER_READ || code == ZIP_ER_MEMORY)
        throw messages::cannotOpen(path_, zipProblem(code));
    // The file starts as an archive does; without the table of contents at its end it is one
    // cut short.
    if (code == ZIP_ER_NOZIP)
        throw messages::damaged(path_, QStringLiteral("the table of contents at the end of its zip "
                                                      "archive is missing (is it cut short?)"));
    throw messages::damaged(path_,
                            QStringLiteral("its zip archive is broken (%1)").arg(zipProblem(code)));
}

XlsxPackage::~XlsxPackage() {
    // Read-only: nothing is written back.
    zip_discard(archive_);
}

qint64 XlsxPackage::partLimit(qint64 archiveSize) {
    return std::min(PartCap, archiveSize * PartsPerArchiveSize);
}

bool XlsxPackage::contains(const QString& part) const {
    return zip_name_locate(archive_, part.toUtf8().constData(), ZIP_FL_NOCASE) >= 0;
}

std::unique_ptr<PartStream> XlsxPackage::open(const QString& part) const {
    const zip_int64_t index = zip_name_locate(archive_, part.toUtf8().constData(), ZIP_FL_NOCASE);
    if (index < 0)
        throw messages::damaged(path_, QStringLiteral("its part '%1' is missing").arg(part));
    zip_stat_t stat;
    zip_stat_init(&stat);
    if (zip_stat_index(archive_, static_cast<zip_uint64_t>(index), 0, &stat) != 0 ||
        !(stat.valid & ZIP_STAT_SIZE))
        throw messages::damaged(path_, QStringLiteral("its part '%1' is broken").arg(part));
    if ((stat.valid & ZIP_STAT_ENCRYPTION_METHOD) && stat.encryption_method != ZIP_EM_NONE)
        throw messages::passwordProtected(path_);
    const qint64 limit = partLimit(size_);
    if (stat.size > static_cast<zip_uint64_t>(limit))
        throw messages::partTooLarge(path_, part, limit);
    zip_file_t* file = zip_fopen_index(archive_, static_cast<zip_uint64_t>(index), 0);
    if (!file)
        throw messages::damaged(path_,
                                QStringLiteral("its part '%1' cannot be unpacked (%2)")
                                    .arg(part, QString::fromLocal8Bit(zip_strerror(archive_))));
    return std::make_unique<ZipPartStream>(file, part, static_cast<qint64>(stat.size));
}

} // namespace data::workbook
