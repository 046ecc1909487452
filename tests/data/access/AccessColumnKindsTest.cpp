// Columns that only later versions of Access make, made in copies of a Jet 4 sample: calculated
// columns read as the results Access kept, and columns of kinds the reader cannot read as values
// shown as their bytes rather than left out.
#include "AccessFixtures.h"
#include "RecordingSink.h"
#include "data/AdoTypes.h"
#include "data/access/AccessFile.h"
#include "data/access/CalculatedValue.h"
#include "data/access/Damage.h"
#include "data/access/Jet4Edit.h"
#include "support/FileCopies.h"

#include <QtEndian>
#include <mdbtools.h>

using namespace test::access;
using data::access::AccessFile;
using test::contentsOf;
using test::writeFile;

namespace {

constexpr int FlagsAt = 15, VarIndexAt = 7, ExtendedFlagsAt = 16;
constexpr char Fixed = 0x01, Calculated = char(0xC0);

// A result as a calculated column keeps it: 16 bytes, the length, the value, 3 bytes.
QByteArray wrapped(const QByteArray& value) {
    QByteArray length(4, 0);
    qToLittleEndian(std::uint32_t(value.size()), length.data());
    return QByteArray(16, 0) + length + value + QByteArray(3, 0);
}

// Makes a column of Table1 calculated, its value moved into the row's variable part as Access
// keeps a result; a Yes/No value becomes a byte of its own.
void makeCalculated(QByteArray& file, const StoredTable& table, const QString& name, int size,
                    int varIndex) {
    const StoredColumn& column = table.columns.at(name);
    editDescriptor(file, table, name, [&](char* descriptor) {
        descriptor[ExtendedFlagsAt] = Calculated;
        descriptor[FlagsAt] = char(descriptor[FlagsAt] & ~Fixed);
        qToLittleEndian(std::uint16_t(varIndex), descriptor + VarIndexAt);
    });
    rewriteRows(file, table, [&](RowParts& row) {
        const bool set = row.nullMask[column.number / 8] & (1 << column.number % 8);
        QByteArray value = column.type == MDB_BOOL ? QByteArray(1, set ? char(0xFF) : 0)
                           : size > 0              ? row.fixed.mid(2 + column.fixedOffset, size)
                                                   : row.values[column.varIndex];
        if (column.type == MDB_BOOL)
            row.setPresent(column);
        if (row.values.size() <= std::size_t(varIndex))
            row.values.resize(varIndex + 1);
        row.values[varIndex] = set || column.type == MDB_BOOL ? wrapped(value) : QByteArray();
    });
}

class AccessColumnKinds : public WithAccessFixtures {};

TEST_F(AccessColumnKinds, CalculatedColumnsReadAsTheirResultsAndUnknownKindsAsTheirBytes) {
    const QString sample = accessFixture("testV2000.mdb");
    const StoredTable table = storedTable(sample, "Table1");
    QByteArray calculated = contentsOf(sample), kinds = calculated;
    // Text in place; a Long Integer, a Double and a Yes/No moved to the variable part.
    makeCalculated(calculated, table, "B", 0, table.columns.at("B").varIndex);
    makeCalculated(calculated, table, "E", 4, 2);
    makeCalculated(calculated, table, "F", 8, 3);
    makeCalculated(calculated, table, "I", 0, 4);
    // Attachments and multi-value lists (type 0x12, a 4-byte key) and a type newer than any.
    editDescriptor(kinds, table, "E", [](char* descriptor) { descriptor[0] = MDB_COMPLEX; });
    editDescriptor(kinds, table, "A", [](char* descriptor) { descriptor[0] = 0x7f; });
    QTemporaryDir dir;
    AccessFile original(sample), results(writeFile(dir, "calculated.accdb", calculated));
    const LoadedTable expected = loadTable(original, "Table1");
    const LoadedTable read = loadTable(results, "Table1");
    EXPECT_EQ(read.types(), expected.types());
    EXPECT_EQ(read.rows, expected.rows);

    AccessFile edited(writeFile(dir, "kinds.accdb", kinds));
    const LoadedTable bytes = loadTable(edited, "Table1");
    EXPECT_EQ(bytes.types(), (std::vector<int>{data::ado::adVarBinary, 202, 17, 2,
                                               data::ado::adBinary, 5, 7, 6, 11}));
    const Row& row = bytes.rowWhere("B", QString("hijklmnop"));
    EXPECT_EQ(bytes.value(row, "E"), Value(QByteArray::fromHex("5543de13"))); // 333333333
    EXPECT_EQ(bytes.value(row, "A"), Value(QByteArray("\xff\xfe"
                                                      "abcdefg")));
}

// A stored result whose length runs past its bytes is damage, not a value.
TEST(CalculatedValue, RefusesValuesCutShort) {
    const QByteArray stored = wrapped("abc");
    const auto* bytes = reinterpret_cast<const unsigned char*>(stored.constData());
    EXPECT_EQ(data::access::calculatedPayload(bytes, std::size_t(stored.size()), "C").size(), 3u);
    EXPECT_THROW(data::access::calculatedPayload(bytes, 22, "C"), data::access::Damage);
    EXPECT_THROW(data::access::calculatedPayload(bytes, 19, "C"), data::access::Damage);
}

} // namespace
