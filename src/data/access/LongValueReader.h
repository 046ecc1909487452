#pragma once

#include "data/access/FileLayout.h"

#include <cstddef>
#include <mdbtools.h>
#include <vector>

// Memo and OLE Object values live outside their rows: the row holds a 12-byte reference, and
// the value itself sits inline after it, in one row of another page, or in a chain of rows
// across pages. This reads a whole value, however long, checking every step against the file.
namespace data::access {

class LongValueReader {
public:
    LongValueReader(MdbHandle& mdb, const FileLayout& layout);

    // The value whose reference occupies `size` bytes at `start` in the current page buffer.
    // The bytes stay valid until the next call. Throws Damage when the chain is broken.
    const std::vector<unsigned char>& read(int start, int size);

private:
    struct Piece {
        const unsigned char* bytes;
        std::size_t size;
    };
    Piece locate(std::uint32_t pageRow);
    void append(const unsigned char* bytes, std::size_t size);

    MdbHandle& mdb_;
    const FileLayout& layout_;
    std::vector<unsigned char> value_;
};

} // namespace data::access
