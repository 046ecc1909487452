#include "data/access/JetPages.h"

#include <QtEndian>
#include <set>
#include <stdexcept>

namespace test::access {

namespace {
constexpr char DataPage = 1;
constexpr char LongValueMark[] = "LVAL";
constexpr int RowOffsetMask = 0x1fff;
constexpr int DeletedOrMoved = 0xc000;
} // namespace

std::uint16_t JetPages::word16(qsizetype at) const {
    return qFromLittleEndian<std::uint16_t>(file_.constData() + at);
}

std::uint32_t JetPages::word32(qsizetype at) const {
    return qFromLittleEndian<std::uint32_t>(file_.constData() + at);
}

void JetPages::putWord32(qsizetype at, std::uint32_t value) {
    qToLittleEndian(value, file_.data() + at);
}

void JetPages::putWord16(qsizetype at, std::uint16_t value) {
    qToLittleEndian(value, file_.data() + at);
}

int JetPages::rowCount(std::uint32_t page) const {
    return qFromLittleEndian<std::uint16_t>(file_.constData() + pageStart(page) + rowCountOffset());
}

qsizetype JetPages::rowStart(std::uint32_t pageRow) const {
    const std::uint32_t page = pageRow >> 8;
    if (pageStart(page + 1) > file_.size() || int(pageRow & 0xff) >= rowCount(page))
        return -1;
    const int offset = qFromLittleEndian<std::uint16_t>(file_.constData() + rowEntry(pageRow));
    return offset & DeletedOrMoved ? -1 : pageStart(page) + (offset & RowOffsetMask);
}

qsizetype JetPages::rowEntry(std::uint32_t pageRow) const {
    return pageStart(pageRow >> 8) + rowCountOffset() + 2 + 2 * int(pageRow & 0xff);
}

int JetPages::rowSize(std::uint32_t pageRow) const {
    const int end =
        (pageRow & 0xff) == 0 ? pageSize() : word16(rowEntry(pageRow - 1)) & RowOffsetMask;
    return end - (word16(rowEntry(pageRow)) & RowOffsetMask);
}

std::uint32_t JetPages::firstDataPage(std::uint32_t definitionPage) const {
    for (std::uint32_t page = 0; pageStart(page + 1) <= file_.size(); ++page)
        if (file_.at(pageStart(page)) == DataPage && word32(pageStart(page) + 4) == definitionPage)
            return page;
    return 0;
}

std::vector<std::uint32_t> JetPages::longValueRows() const {
    std::vector<std::uint32_t> rows;
    for (std::uint32_t page = 0; pageStart(page + 1) <= file_.size(); ++page) {
        const qsizetype start = pageStart(page);
        if (file_.at(start) != DataPage || file_.mid(start + 4, 4) != LongValueMark)
            continue;
        for (int row = 0; row < rowCount(page); ++row)
            if (rowStart(page << 8 | std::uint32_t(row)) >= 0)
                rows.push_back(page << 8 | std::uint32_t(row));
    }
    return rows;
}

JetPages::ChainedValue JetPages::chainedValue() const {
    const std::vector<std::uint32_t> rows = longValueRows();
    const std::set<std::uint32_t> live(rows.begin(), rows.end());
    for (const std::uint32_t first : rows) {
        if (word32(rowStart(first)) == 0)
            continue;
        std::uint32_t length = 0;
        std::set<std::uint32_t> seen;
        std::uint32_t row = first;
        for (; row != 0 && live.contains(row) && seen.insert(row).second;
             row = word32(rowStart(row)))
            length += std::uint32_t(rowSize(row) - 4);
        if (row != 0)
            continue;
        QByteArray place(4, 0);
        qToLittleEndian(first, place.data());
        for (qsizetype at = file_.indexOf(place, 4); at > 0; at = file_.indexOf(place, at + 1))
            if (word32(at - 4) == length)
                return {at - 4, first};
    }
    throw std::runtime_error("no memo or OLE value kept in a chain of rows");
}

} // namespace test::access
