// Columns that only later versions of Access make: a table of Access 2019 with Date/Time Extended
// and calculated columns; calculated columns of further types, and columns of kinds the reader
// cannot read as values (shown as their bytes rather than left out), made in copies of a Jet 4
// sample the way Access lays them out.
#include "AccessFixtures.h"
#include "RecordingSink.h"
#include "data/AdoTypes.h"
#include "data/access/AccessFile.h"
#include "data/access/CalculatedValue.h"
#include "data/access/Damage.h"
#include "data/access/ExtendedDate.h"
#include "data/access/Jet4Edit.h"
#include "support/FileCopies.h"

#include <QRegularExpression>
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
// keeps a result (as in the Access 2019 sample); a Yes/No value becomes a byte of its own.
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
        // A Null result is kept as a result of no bytes, the column's bit left set.
        row.setPresent(column);
        if (row.values.size() <= std::size_t(varIndex))
            row.values.resize(varIndex + 1);
        row.values[varIndex] = wrapped(set || column.type == MDB_BOOL ? value : QByteArray());
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

// The date and time DateExtStr spells ("6/14/2021 10:45:12.3456789 PM"), to the nearest second.
Value spelledDate(const Value& text) {
    static const QRegularExpression form(
        R"(^(\d+)/(\d+)/(\d+)(?: (\d+):(\d+):(\d+)(\.\d+) ([AP])M)?$)");
    const auto parts = form.match(std::get<QString>(text));
    if (!parts.hasMatch())
        throw std::invalid_argument("not a date: " + std::get<QString>(text).toStdString());
    const auto at = [&](int i) { return parts.captured(i).toInt(); };
    data::jet::DateTimeParts date{at(3), at(1), at(2), 0, 0, 0};
    if (parts.capturedLength(4) > 0) {
        date.hour = at(4) % 12 + (parts.captured(8) == "P" ? 12 : 0);
        date.minute = at(5);
        date.second = at(6) + (parts.captured(7).toDouble() >= 0.5 ? 1 : 0);
    }
    return date;
}

// A table Access 2019 wrote: Date/Time Extended values read as the dates their neighbour spells
// in text, and a calculated Date/Time ([DateNormal]) as its result, Null where DateNormal is.
TEST_F(AccessColumnKinds, Access2019DateTimeExtendedAndCalculatedDatesReadAsDates) {
    AccessFile file(accessFixture("extDateTestV2019.accdb"));
    const LoadedTable table = loadTable(file, "Table1");
    EXPECT_EQ(table.types(), (std::vector<int>{3, 202, 7, 7, 202, 7}));
    ASSERT_EQ(table.rows.size(), 9u);
    int spelled = 0;
    for (const Row& row : table.rows) {
        EXPECT_EQ(table.value(row, "DateNormalCalc"), table.value(row, "DateNormal"));
        const Value& text = table.value(row, "DateExtStr");
        if (std::holds_alternative<Null>(text)) {
            EXPECT_EQ(table.value(row, "DateExt"), Value(Null{}));
            continue;
        }
        EXPECT_EQ(table.value(row, "DateExt"), spelledDate(text))
            << std::get<QString>(text).toStdString();
        ++spelled;
    }
    EXPECT_EQ(spelled, 8);
}

// Date/Time Extended to the second: half a second rounds up, over midnight into the next day;
// a year before 100 is no date of the engine's; anything but the 42 bytes' form is damage. A
// stored result whose length runs past its bytes is damage, not a value. A Decimal result keeps
// its sign in a byte of its own: -12.345 as Access keeps it in 16 bytes (length 14, scale 3, sign,
// the magnitude's leading 4 bytes, then 8).
TEST(StoredValues, ExtendedDatesRoundToTheSecondAndCalculatedValuesCutShortAreDamage) {
    const auto read = [](const QByteArray& text) {
        const QByteArray bytes = text + QByteArray(1, 0);
        return data::access::extendedDate(
            {reinterpret_cast<const unsigned char*>(bytes.constData()), std::size_t(bytes.size())},
            "E");
    };
    EXPECT_EQ(read("0000000000000737592:0000000863995000000:7"),
              data::jet::DateTimeParts({2020, 6, 18, 0, 0, 0}));
    EXPECT_EQ(read("0000000000000737592:0000000459004999999:7"),
              data::jet::DateTimeParts({2020, 6, 17, 12, 45, 0}));
    EXPECT_EQ(read("0000000000000036158:0000000000000000000:7"), std::nullopt); // 0099-12-31
    EXPECT_THROW(read("0000000000000737592:0000000864000000000:7"), data::access::Damage);
    EXPECT_THROW(read("00000000000007375a2:0000000000000000000:7"), data::access::Damage);
    EXPECT_THROW(read("0000000000000737592;0000000000000000000:7"), data::access::Damage);

    const auto decimal = QByteArray::fromHex("0e000380000000003930000000000000");
    const auto* payload = reinterpret_cast<const unsigned char*>(decimal.constData());
    EXPECT_EQ(data::access::calculatedNumeric({payload, 16}, "D"),
              data::access::NumericValue(-12.345));

    const QByteArray stored = wrapped("abc");
    const auto* bytes = reinterpret_cast<const unsigned char*>(stored.constData());
    EXPECT_EQ(data::access::calculatedPayload(bytes, std::size_t(stored.size()), "C").size(), 3u);
    EXPECT_THROW(data::access::calculatedPayload(bytes, 22, "C"), data::access::Damage);
    EXPECT_THROW(data::access::calculatedPayload(bytes, 19, "C"), data::access::Damage);
}

} // namespace
