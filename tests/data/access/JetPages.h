#pragma once

#include <QByteArray>
#include <cstdint>
#include <vector>

// A copy of an Access file in memory, read and changed page by page as Jet 3 and Jet 4 lay their
// pages out: the rows of a page, and the rows that hold pieces of memo and OLE values.
namespace test::access {

class JetPages {
public:
    explicit JetPages(QByteArray& file) : file_(file) {}

    QByteArray& bytes() { return file_; }
    bool jet3() const { return file_.at(0x14) == 0; }
    int pageSize() const { return jet3() ? 2048 : 4096; }
    // Where a table definition keeps the reference to the row listing the table's pages.
    int usageMapOffset() const { return jet3() ? 35 : 55; }
    // Where a table definition keeps the count of index entries before its columns.
    int indexCountOffset() const { return jet3() ? 31 : 51; }

    std::uint16_t word16(qsizetype at) const;
    std::uint32_t word32(qsizetype at) const;
    void putWord32(qsizetype at, std::uint32_t value);
    qsizetype pageStart(std::uint32_t page) const { return qsizetype(page) * pageSize(); }

    void putWord16(qsizetype at, std::uint16_t value);

    int rowCount(std::uint32_t page) const;
    // Where a row's offset (with its flags in the top bits) is kept in the file.
    qsizetype rowEntry(std::uint32_t pageRow) const;
    // Where a row starts in the file; -1 for a deleted or moved row.
    qsizetype rowStart(std::uint32_t pageRow) const;

    // The bytes a row takes, up to the row stored above it.
    int rowSize(std::uint32_t pageRow) const;

    // The first page holding rows of the table defined on `definitionPage`.
    std::uint32_t firstDataPage(std::uint32_t definitionPage) const;
    // Every live row of the pages that hold memo and OLE values, as page << 8 | row.
    std::vector<std::uint32_t> longValueRows() const;

    // A memo or OLE value kept in a chain of at least two rows: where its reference starts in
    // the file and the chain's first row. Found as a reference whose length is its chain's.
    struct ChainedValue {
        qsizetype reference;
        std::uint32_t firstRow;
    };
    ChainedValue chainedValue() const;

    // Where a data page keeps the count of its rows.
    int rowCountOffset() const { return jet3() ? 8 : 12; }

private:
    QByteArray& file_;
};

} // namespace test::access
