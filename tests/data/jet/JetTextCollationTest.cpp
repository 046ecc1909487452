#include "data/AdoTypes.h"
#include "data/TextCollation.h"
#include "data/jet/JetTestSupport.h"

#include <gtest/gtest.h>

using namespace data;
using namespace data::jet;
using namespace data::jet::testing;

namespace {

int sign(int value) {
    return (value > 0) - (value < 0);
}

int compare(const QString& a, const QString& b) {
    const QByteArray x = a.toUtf8();
    const QByteArray y = b.toUtf8();
    return sign(compareJetText({x.constData(), std::size_t(x.size())},
                               {y.constData(), std::size_t(y.size())}));
}

} // namespace

// SQLite groups and compares with the same function, so it must be a true order whose equal
// texts are the case-insensitively equal ones.
TEST(JetTextCollation, IsATotalOrderOfCaseFoldedText) {
    const QStringList samples = {
        "North",   "NORTH",   "north",   "Nord",    "Äpfel",  "äpfel",
        "ÄPFEL",   "Apfel",   "apfel",   "Birne",   "",       "a",
        "A",       "ä",       "straße",  "STRASSE", "STRAẞE", "Ωmega",
        "ωMEGA",   "Zebra",   "zz",      "Ärger",   "ärger2", "Ærø",
        "Éclair",  "eclair",  "ÉCLAIR",  "n",       "ñ",      "Ñandú",
        "Nordöst", "NORDÖST", "Nordost", "Nordøst", "Nordös", QString::fromUtf8("\xE6\x97\xA5")};
    for (const QString& a : samples) {
        for (const QString& b : samples) {
            EXPECT_EQ(compare(a, b), -compare(b, a)) << a.toStdString() << " " << b.toStdString();
            EXPECT_EQ(compare(a, b) == 0, a.toCaseFolded() == b.toCaseFolded())
                << a.toStdString() << " " << b.toStdString();
            for (const QString& c : samples) {
                if (compare(a, b) <= 0 && compare(b, c) <= 0) {
                    EXPECT_LE(compare(a, c), 0)
                        << a.toStdString() << " " << b.toStdString() << " " << c.toStdString();
                }
            }
        }
    }
}

TEST(JetTextCollation, SortsAccentsNextToTheirLetters) {
    EXPECT_LT(compare("Apfel", "Äpfel"), 0);
    EXPECT_LT(compare("Äpfel", "Birne"), 0);
    EXPECT_LT(compare("apfel", "ÄPFEL"), 0);
    EXPECT_LT(compare("Abend", "Äpfel"), 0); // letters first, accents only on a tie
    EXPECT_EQ(compare("ÄRGER", "ärger"), 0);
    EXPECT_NE(compare("straße", "STRASSE"), 0);
    EXPECT_EQ(compare("straße", "STRAẞE"), 0);
}

TEST(JetTextCollation, GroupsAndMatchesTextColumns) {
    auto source = std::make_shared<MemoryTableSource>();
    std::vector<Row> rows;
    for (const char* name :
         {"North", "NORTH", "north", "South", "Äpfel", "äpfel", "ÄPFEL", "Apfel"})
        rows.push_back({QString::fromUtf8(name)});
    source->add({"Sales", {{"Region", data::ado::adVarWChar, 0}}}, rows);
    QueryRunner runner(source);
    runner.engine().findTable("Sales");

    const QVariantList counts =
        runner.column("SELECT count(*) FROM Sales GROUP BY Region ORDER BY Region");
    EXPECT_EQ(counts, (QVariantList{1, 3, 3, 1}));
    EXPECT_EQ(runner.value("SELECT count(*) FROM Sales WHERE Region = 'nOrTh'").toInt(), 3);
    EXPECT_EQ(runner.value("SELECT count(*) FROM Sales WHERE Region = 'äPFEL'").toInt(), 3);
    EXPECT_EQ(runner.value("SELECT count(DISTINCT Region) FROM Sales").toInt(), 4);
}
