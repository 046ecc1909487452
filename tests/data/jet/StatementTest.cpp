#include "data/AdoTypes.h"
#include "data/Error.h"
#include "data/jet/JetTestSupport.h"

#include <QDateTime>
#include <gtest/gtest.h>

using namespace data::jet;
using namespace data::jet::testing;
using namespace data::ado;

namespace {

std::shared_ptr<MemoryTableSource> everyKind() {
    auto source = std::make_shared<MemoryTableSource>();
    source->add({"Kinds",
                 {{"Big", adBigInt, 0},
                  {"Flag", adBoolean, 0},
                  {"Ratio", adDouble, 0},
                  {"Money", adCurrency, 0},
                  {"When", adDate, 0},
                  {"Name", adVarWChar, 0},
                  {"Data", adLongVarBinary, 0}}},
                {
                    {std::int64_t(9007199254740993), true, 0.1, Amount{12345},
                     date(2004, 2, 29, 23, 59, 58), QString("Umsätze ẞ"), QByteArray("\0\1\2", 3)},
                    {nullptr, false, nullptr, nullptr, nullptr, QString(""), nullptr},
                });
    return source;
}

} // namespace

TEST(Statement, ConvertsValuesByStorage) {
    QueryRunner runner(everyKind());
    const TableInfo* table = runner.engine().findTable("Kinds");
    ASSERT_NE(table, nullptr);
    Statement rows = runner.engine().prepare(
        R"(SELECT Big, Flag, Ratio, Money / 10000.0, "When", Name, Data FROM Kinds ORDER BY rowid)",
        table->columns);
    ASSERT_EQ(rows.columnCount(), 7);
    EXPECT_EQ(rows.columnName(3), "Money");
    EXPECT_EQ(rows.adoType(4), adDate);

    ASSERT_TRUE(rows.step());
    EXPECT_EQ(rows.value(0).typeId(), QMetaType::LongLong);
    EXPECT_EQ(rows.value(0).toLongLong(), 9007199254740993LL);
    EXPECT_EQ(rows.value(1), QVariant(true));
    EXPECT_EQ(rows.value(2), QVariant(0.1));
    EXPECT_EQ(rows.value(3), QVariant(1.2345));
    const QDateTime when = rows.value(4).toDateTime();
    EXPECT_EQ(when.date(), QDate(2004, 2, 29));
    EXPECT_EQ(when.time(), QTime(23, 59, 58));
    EXPECT_EQ(when.timeSpec(), Qt::LocalTime);
    EXPECT_EQ(rows.value(5), QVariant(QString("Umsätze ẞ")));
    EXPECT_EQ(rows.value(6), QVariant(QByteArray("\0\1\2", 3)));

    ASSERT_TRUE(rows.step());
    EXPECT_EQ(rows.value(1), QVariant(false));
    for (int column : {0, 2, 3, 4, 6})
        EXPECT_FALSE(rows.value(column).isValid()) << column;
    const QVariant empty = rows.value(5);
    EXPECT_TRUE(empty.isValid());
    EXPECT_EQ(empty.typeId(), QMetaType::QString);
    EXPECT_TRUE(empty.toString().isEmpty());

    EXPECT_FALSE(rows.step());
    EXPECT_FALSE(rows.step());
}

// A wall-clock time keeps its fields even where the local clock skips it (spring, in Berlin).
TEST(Statement, DatesKeepTheirFieldsInTheSkippedHour) {
    struct TimeZone {
        bool wasSet = qEnvironmentVariableIsSet("TZ");
        QByteArray previous = qgetenv("TZ");
        explicit TimeZone(const char* zone) { qputenv("TZ", zone); }
        ~TimeZone() { wasSet ? qputenv("TZ", previous) : qunsetenv("TZ"); }
    } berlin("Europe/Berlin");
    QueryRunner runner;
    Statement rows = runner.engine().prepare(
        "SELECT '2001-03-25 02:30:00', '2001-03-25 03:30:00'",
        {{"Skipped", adDate, Storage::DateTime}, {"After", adDate, Storage::DateTime}});
    ASSERT_TRUE(rows.step());
    const QDateTime skipped = rows.value(0).toDateTime();
    const QDateTime after = rows.value(1).toDateTime();
    EXPECT_TRUE(skipped.isValid());
    EXPECT_EQ(skipped.date(), QDate(2001, 3, 25));
    EXPECT_EQ(skipped.time(), QTime(2, 30));
    EXPECT_EQ(after.time(), QTime(3, 30));
    EXPECT_EQ(after.timeSpec(), Qt::LocalTime);
}

TEST(Statement, WithoutColumnsGivesStoredValuesAndQueryNames) {
    QueryRunner runner(everyKind());
    runner.engine().findTable("Kinds");
    Statement rows = runner.engine().prepare("SELECT Flag AS Truth, Money, \"When\" FROM Kinds");
    EXPECT_EQ(rows.columnName(0), "Truth");
    EXPECT_EQ(rows.adoType(0), 0);
    ASSERT_TRUE(rows.step());
    EXPECT_EQ(rows.value(0), QVariant(qlonglong(-1)));
    EXPECT_EQ(rows.value(1), QVariant(qlonglong(12345)));
    EXPECT_EQ(rows.value(2), QVariant(QString("2004-02-29 23:59:58")));
}

TEST(Statement, ReportsFailuresAsErrors) {
    QueryRunner runner(everyKind());
    runner.engine().findTable("Kinds");
    EXPECT_EQ(runner.errorOf("SELECT Missing FROM Kinds"), "no such column: Missing");
    EXPECT_NE(runner.errorOf("SELEKT 1").indexOf("syntax error"), -1);
    EXPECT_EQ(runner.errorOf(""), "The query is empty.");
    // A function failing on the second row stops the query there.
    EXPECT_EQ(runner.errorOf("SELECT vb_cint(vb_nz(Big, 70000)) FROM Kinds ORDER BY rowid DESC"),
              "Overflow");

    EXPECT_THROW(runner.engine().prepare("SELECT 1, 2", {{"One", adInteger, Storage::Integer}}),
                 data::Error);
    Statement one = runner.engine().prepare("SELECT 1");
    EXPECT_THROW(one.value(0), data::Error);
    ASSERT_TRUE(one.step());
    EXPECT_THROW(one.value(1), data::Error);
}

TEST(Statement, OutlivesItsEngine) {
    std::optional<Statement> rows;
    {
        QueryRunner runner(everyKind());
        runner.engine().findTable("Kinds");
        rows = runner.engine().prepare("SELECT vb_format(\"When\", 'yyyy') FROM Kinds");
    }
    ASSERT_TRUE(rows->step());
    EXPECT_EQ(rows->value(0).toString(), "2004");
}
