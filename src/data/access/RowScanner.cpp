#include "data/access/RowScanner.h"

#include "data/access/Damage.h"
#include "data/access/LittleEndian.h"
#include "data/access/TableDefinition.h"

namespace data::access {

namespace {
// Flags in the top bits of a row's offset on its page.
constexpr int DeletedOrMovedHere = 0x8000; // deleted, or the new home of a moved row
constexpr int MovedAway = 0x4000;          // the row holds only where the row lives now
constexpr int OffsetMask = 0x1fff;
constexpr int MaxRowsOnPage = 1000; // more than any page can hold
constexpr int MaxMoves = 8;
constexpr std::size_t MovedRowPointerSize = 4;
} // namespace

RowScanner::RowScanner(const TableDefinition& definition, const FileLayout& layout)
    : table_(definition.table()), mdb_(*definition.table().entry->mdb), layout_(layout),
      tablePage_(definition.definitionPage()), fields_(definition.table().num_cols) {}

bool RowScanner::next() {
    for (;;) {
        while (nextRow_ >= rowsOnPage_)
            if (!nextPage())
                return false;
        loadPage(page_); // a moved row may have brought in another page
        if (readRow(nextRow_++))
            return true;
    }
}

bool RowScanner::nextPage() {
    const gint32 next =
        mdb_map_find_next(&mdb_, table_.usage_map, static_cast<unsigned>(table_.map_sz), page_);
    if (next == 0)
        return false;
    if (next < 0)
        throw Damage(QStringLiteral("the list of the table's pages cannot be read"));
    page_ = static_cast<std::uint32_t>(next);
    loadPage(page_);
    rowsOnPage_ = 0;
    nextRow_ = 0;
    // A page the list still names but which was freed or given to another table holds nothing
    // of this one; anything but a data page means the list or the page is broken.
    const unsigned char type = mdb_.pg_buf[0];
    if (type != MDB_PAGE_DATA && !(type == 0 && mdb_.pg_buf[1] == 0))
        throw Damage(QStringLiteral("page %1 of the table is not a data page").arg(page_));
    if (!isTablePage())
        return true;
    const int rows = readLittleEndian<std::uint16_t>(mdb_.pg_buf + mdb_.fmt->row_count_offset);
    if (rows > MaxRowsOnPage ||
        mdb_.fmt->row_count_offset + 2 + 2 * rows > static_cast<int>(mdb_.fmt->pg_size))
        throw Damage(QStringLiteral("page %1 claims %2 rows").arg(page_).arg(rows));
    rowsOnPage_ = rows;
    return true;
}

void RowScanner::loadPage(std::uint32_t page) {
    if (!layout_.holdsPage(page))
        throw Damage(QStringLiteral("page %1 lies beyond the end of the file").arg(page));
    if (mdb_read_pg(&mdb_, page) != mdb_.fmt->pg_size)
        throw Damage(QStringLiteral("page %1 cannot be read").arg(page));
}

bool RowScanner::isTablePage() const {
    return mdb_.pg_buf[0] == MDB_PAGE_DATA &&
           readLittleEndian<std::uint32_t>(mdb_.pg_buf + 4) == tablePage_;
}

bool RowScanner::readRow(int row) {
    for (int moves = 0; moves <= MaxMoves; ++moves) {
        int start = 0;
        std::size_t size = 0;
        if (mdb_find_row(&mdb_, row, &start, &size) != 0)
            throw Damage(QStringLiteral("row %1 on page %2 lies outside the page")
                             .arg(row)
                             .arg(mdb_.cur_pg));
        if (moves == 0 && (start & DeletedOrMovedHere))
            return false;
        if (size == 0)
            return false;
        const int offset = start & OffsetMask;
        if (!(start & MovedAway)) {
            if (mdb_crack_row(&table_, offset, size, fields_.data()) < 0)
                throw Damage(
                    QStringLiteral("row %1 on page %2 is garbled").arg(row).arg(mdb_.cur_pg));
            checkFields();
            return true;
        }
        if (size < MovedRowPointerSize)
            throw Damage(QStringLiteral("a moved row on page %1 has no forwarding address")
                             .arg(mdb_.cur_pg));
        const auto pointer = readLittleEndian<std::uint32_t>(mdb_.pg_buf + offset);
        loadPage(pointer >> 8);
        if (!isTablePage())
            throw Damage(QStringLiteral("a moved row points to page %1, which is not the "
                                        "table's")
                             .arg(pointer >> 8));
        row = static_cast<int>(pointer & 0xff);
    }
    throw Damage(QStringLiteral("a row was moved too many times"));
}

void RowScanner::checkFields() const {
    const auto pageSize = static_cast<int>(mdb_.fmt->pg_size);
    for (const MdbField& field : fields_) {
        if (!field.is_null &&
            (field.start < 0 || field.siz < 0 || field.start + field.siz > pageSize))
            throw Damage(
                QStringLiteral("a value on page %1 lies outside its row").arg(mdb_.cur_pg));
    }
}

} // namespace data::access
