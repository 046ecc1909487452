#pragma once

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <functional>
#include <map>
#include <vector>

// Changes to a copy of a Jet 4 file in memory, written as Access writes them, for files no
// sample holds: a column descriptor's flags, and rows rewritten to other values and lengths.
namespace test::access {

// A column as libmdb reads its descriptor.
struct StoredColumn {
    int number = 0;   // the bit of the null mask, and the descriptor's column number
    int varIndex = 0; // the place among the variable-length values of a row
    int fixedOffset = 0;
    int type = 0;
};

// Where a table's definition lies and its columns by name, read from the file at `path`.
struct StoredTable {
    std::uint32_t page = 0;
    int realIndexes = 0;
    int columnCount = 0;
    std::map<QString, StoredColumn> columns;
};
StoredTable storedTable(const QString& path, const QString& name);

// A row taken apart: the column count and fixed values, the variable-length values, the null
// mask (a set bit for a value that is there).
struct RowParts {
    QByteArray fixed;
    std::vector<QByteArray> values;
    QByteArray nullMask;

    void setPresent(const StoredColumn& column) {
        nullMask[column.number / 8] = char(nullMask[column.number / 8] | 1 << column.number % 8);
    }
};

// Rewrites every live row of the table with `edit`, moving the page's lower rows to make room.
void rewriteRows(QByteArray& file, const StoredTable& table,
                 const std::function<void(RowParts&)>& edit);

// Changes the descriptor of a column in place (its 25 bytes).
void editDescriptor(QByteArray& file, const StoredTable& table, const QString& column,
                    const std::function<void(char* descriptor)>& edit);

// Text as Jet 4 stores it uncompressed; and a Memo value held inline in its row.
QByteArray utf16(const QString& text);
QByteArray inlineMemo(const QByteArray& bytes);

} // namespace test::access
