#pragma once

#include <QString>
#include <cstdint>

// What the reader knows of an Access file before libmdb opens it: where it is, its format and
// how many pages it holds, so that every page number read from the file can be checked first.
namespace data::access {

struct FileLayout {
    QString path;      // absolute, as messages show it
    bool jet3 = false; // Access 97 and older: single-byte text in a code page
    int pageSize = 0;  // 2048 for Jet 3, 4096 for Jet 4 and ACE
    std::uint32_t pageCount = 0;

    bool holdsPage(std::uint32_t page) const { return page < pageCount; }
    std::uint64_t byteCount() const { return std::uint64_t(pageCount) * std::uint64_t(pageSize); }
};

// Checks that the path names a readable file with an Access header and a whole number of
// pages. Fails with the data::Error the user sees otherwise.
FileLayout layoutOf(const QString& path);

} // namespace data::access
