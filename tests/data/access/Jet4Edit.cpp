#include "data/access/Jet4Edit.h"

#include <QFile>
#include <QtEndian>
#include <algorithm>
#include <mdbtools.h>
#include <stdexcept>

namespace test::access {

namespace {
constexpr int PageSize = 4096;
constexpr int DataPage = 1;
constexpr int FreeSpaceOffset = 2;
constexpr int TablePageOffset = 4;
constexpr int RowCountOffset = 12;
constexpr int FirstRowOffset = 14;
constexpr int OffsetMask = 0x1fff;
constexpr int DeletedOrMoved = 0xc000;
constexpr int ColumnsStart = 63;
constexpr int IndexEntrySize = 12;
constexpr int DescriptorSize = 25;
constexpr int DescriptorNumber = 5;

// Byte by byte, each read checked against the array's size.
int word(const QByteArray& bytes, qsizetype at) {
    if (at < 0 || at + 2 > bytes.size())
        throw std::out_of_range("a word lies outside the bytes");
    return std::uint8_t(bytes.at(at)) | std::uint8_t(bytes.at(at + 1)) << 8;
}
void putWord(QByteArray& bytes, qsizetype at, int value) {
    qToLittleEndian(std::uint16_t(value), bytes.data() + at);
}
QByteArray wordBytes(int value) {
    QByteArray bytes(2, 0);
    putWord(bytes, 0, value);
    return bytes;
}

RowParts split(const QByteArray& row) {
    const int maskSize = (word(row, 0) + 7) / 8;
    const qsizetype count = word(row, row.size() - maskSize - 2);
    std::vector<int> offsets; // each value's start, then the end of the last
    for (qsizetype i = 0; i <= count; ++i)
        offsets.push_back(word(row, row.size() - maskSize - 4 - 2 * i));
    RowParts parts{row.left(offsets[0]), {}, row.right(maskSize)};
    for (qsizetype i = 0; i < count; ++i)
        parts.values.push_back(row.mid(offsets[i], offsets[i + 1] - offsets[i]));
    return parts;
}

QByteArray join(const RowParts& parts) {
    QByteArray row = parts.fixed;
    std::vector<int> offsets;
    for (const QByteArray& value : parts.values) {
        offsets.push_back(int(row.size()));
        row += value;
    }
    offsets.push_back(int(row.size()));
    std::reverse(offsets.begin(), offsets.end());
    for (const int offset : offsets)
        row += wordBytes(offset);
    return row + wordBytes(int(parts.values.size())) + parts.nullMask;
}

int rowStart(const QByteArray& page, int index) {
    return word(page, FirstRowOffset + 2 * index) & OffsetMask;
}

// Where the row starting at `start` ends: at the next row above it, or the page's end.
int rowEnd(const QByteArray& page, int start) {
    int end = PageSize;
    for (int i = 0; i < word(page, RowCountOffset); ++i)
        if (rowStart(page, i) > start)
            end = std::min(end, rowStart(page, i));
    return end;
}

// Replaces the row at `index` of the page, moving the rows stored below it.
void replaceRow(QByteArray& page, int index, const QByteArray& row) {
    const int rows = word(page, RowCountOffset), start = rowStart(page, index);
    const int end = rowEnd(page, start), grows = int(row.size()) - (end - start);
    int lowest = start;
    for (int i = 0; i < rows; ++i)
        lowest = std::min(lowest, rowStart(page, i));
    if (lowest - grows < FirstRowOffset + 2 * rows)
        throw std::runtime_error("the page has no room for the row");
    page.replace(lowest - grows, start - lowest, page.mid(lowest, start - lowest));
    for (int i = 0; i < rows; ++i)
        if (rowStart(page, i) < start)
            putWord(page, FirstRowOffset + 2 * i, word(page, FirstRowOffset + 2 * i) - grows);
    page.replace(end - row.size(), row.size(), row);
    putWord(page, FirstRowOffset + 2 * index, end - int(row.size()));
    putWord(page, FreeSpaceOffset, word(page, FreeSpaceOffset) - grows);
}
} // namespace

StoredTable storedTable(const QString& path, const QString& name) {
    MdbHandle* mdb = mdb_open(QFile::encodeName(path).constData(), MDB_NOFLAGS);
    if (!mdb || !mdb_read_catalog(mdb, MDB_ANY))
        throw std::runtime_error("cannot read " + path.toStdString());
    StoredTable stored;
    for (unsigned i = 0; i < mdb->num_catalog; ++i) {
        auto* entry = static_cast<MdbCatalogEntry*>(g_ptr_array_index(mdb->catalog, i));
        if (entry->object_type != MDB_TABLE || name != QString::fromUtf8(entry->object_name))
            continue;
        MdbTableDef* table = mdb_read_table(entry);
        mdb_read_columns(table);
        stored.page = std::uint32_t(entry->table_pg);
        stored.realIndexes = int(table->num_real_idxs);
        stored.columnCount = int(table->num_cols);
        for (unsigned c = 0; c < table->num_cols; ++c) {
            const auto* column = static_cast<MdbColumn*>(g_ptr_array_index(table->columns, c));
            stored.columns[QString::fromUtf8(column->name)] = {
                column->col_num, int(column->var_col_num), column->fixed_offset, column->col_type};
        }
        mdb_free_tabledef(table);
    }
    mdb_close(mdb);
    if (stored.page == 0)
        throw std::runtime_error("no table " + name.toStdString());
    return stored;
}

void rewriteRows(QByteArray& file, const StoredTable& table,
                 const std::function<void(RowParts&)>& edit) {
    for (qsizetype at = 0; at + PageSize <= file.size(); at += PageSize) {
        QByteArray page = file.mid(at, PageSize);
        if (page[0] != DataPage ||
            qFromLittleEndian<std::uint32_t>(page.constData() + TablePageOffset) != table.page)
            continue;
        for (int index = 0; index < word(page, RowCountOffset); ++index) {
            if (word(page, FirstRowOffset + 2 * index) & DeletedOrMoved)
                continue;
            const int start = rowStart(page, index);
            RowParts parts = split(page.mid(start, rowEnd(page, start) - start));
            edit(parts);
            replaceRow(page, index, join(parts));
        }
        file.replace(at, PageSize, page);
    }
}

void editDescriptor(QByteArray& file, const StoredTable& table, const QString& column,
                    const std::function<void(char* descriptor)>& edit) {
    const qsizetype first =
        qsizetype(table.page) * PageSize + ColumnsStart + table.realIndexes * IndexEntrySize;
    for (int i = 0; i < table.columnCount; ++i) {
        const qsizetype descriptor = first + i * DescriptorSize;
        if (word(file, descriptor + DescriptorNumber) == table.columns.at(column).number)
            edit(file.data() + descriptor);
    }
}

QByteArray utf16(const QString& text) {
    return QByteArray(reinterpret_cast<const char*>(text.utf16()), text.size() * 2);
}

QByteArray inlineMemo(const QByteArray& bytes) {
    QByteArray reference(12, 0);
    qToLittleEndian(std::uint32_t(bytes.size()) | 0x80000000u, reference.data());
    return reference + bytes;
}

} // namespace test::access
