#include "data/RowFilter.h"

#include "data/Error.h"

#include <gtest/gtest.h>

using data::RowFilter;

namespace {
int field(const QString& name) {
    const QStringList names{"TABLE_TYPE", "TABLE_NAME", "ROWS"};
    return static_cast<int>(names.indexOf(name.toUpper()));
}
bool match(const QString& criteria, std::vector<QVariant> row) {
    return RowFilter::parse(criteria, field).matches(row);
}
} // namespace

TEST(RowFilterCriteria, ComparesTextExactlyAndNumbersByValue) {
    const std::vector<QVariant> row{"SYSTEM TABLE", "MSysObjects", 12};
    EXPECT_TRUE(match("TABLE_TYPE = 'SYSTEM TABLE'", row));
    EXPECT_FALSE(match("TABLE_TYPE = 'system table'", row));
    EXPECT_TRUE(match("ROWS > 10 AND ROWS <= 12", row));
    EXPECT_TRUE(match("ROWS = 1 OR TABLE_NAME LIKE 'MSys*'", row));
    EXPECT_FALSE(match("ROWS = 1 OR TABLE_NAME <> 'MSysObjects'", row));
}

TEST(RowFilterCriteria, QuotesInsideValuesAreWrittenDoubledOrBetweenHashes) {
    const std::vector<QVariant> row{"O'Brien's", "x", QVariant()};
    EXPECT_TRUE(match("TABLE_TYPE = 'O''Brien''s'", row));
    EXPECT_TRUE(match("TABLE_TYPE = #O'Brien's#", row));
    EXPECT_TRUE(match("ROWS = NULL", row));
    EXPECT_FALSE(match("TABLE_TYPE = NULL", row));
}

TEST(RowFilterCriteria, BrokenCriteriaAndUnknownFieldsFail) {
    for (const char* criteria :
         {"TABLE_TYPE = 'open", "NOPE = 1", "TABLE_TYPE 'x'", "ROWS = 1 XOR ROWS = 2"})
        EXPECT_THROW(RowFilter::parse(criteria, field), data::Error) << criteria;
}
