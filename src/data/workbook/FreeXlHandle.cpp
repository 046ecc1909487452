#include "data/workbook/FreeXlHandle.h"

#include <string>
#include <sys/mman.h>
#include <unistd.h>

namespace data::workbook {

namespace {

bool writeAll(int fd, const QByteArray& bytes) {
    qsizetype written = 0;
    while (written < bytes.size()) {
        const ssize_t step = ::write(fd, bytes.constData() + written,
                                     static_cast<std::size_t>(bytes.size() - written));
        if (step <= 0)
            return false;
        written += step;
    }
    return true;
}

} // namespace

int openInFreeXl(const QByteArray& bytes, FreeXlHandle& handle) {
    const int fd = ::memfd_create("quarrymere-workbook", MFD_CLOEXEC);
    if (fd < 0)
        return FREEXL_FILE_NOT_FOUND;
    int status = FREEXL_FILE_NOT_FOUND;
    if (writeAll(fd, bytes)) {
        // FreeXL opens the file anew by this path; it stays readable after the descriptor here
        // is closed, as long as FreeXL holds it open.
        const std::string path = "/proc/self/fd/" + std::to_string(fd);
        const void* opened = nullptr;
        status = freexl_open(path.c_str(), &opened);
        handle.reset(opened);
    }
    ::close(fd);
    return status;
}

} // namespace data::workbook
