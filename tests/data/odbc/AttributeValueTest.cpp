#include "data/odbc/AttributeValue.h"

#include <gtest/gtest.h>

using data::odbc::attributeValue;

TEST(OdbcAttributeValue, QuotesOnlyWhatTheConnectionStringWouldMisread) {
    for (const char* plain : {"", "Sales DB", "C:\\data\\a.mdb", "p=w'\"d"})
        EXPECT_EQ(attributeValue(plain), QString(plain));
    EXPECT_EQ(attributeValue("a;b"), "{a;b}");
    EXPECT_EQ(attributeValue("{x}"), "{{x}}}");
    EXPECT_EQ(attributeValue("x}}y"), "{x}}}}y}");
    EXPECT_EQ(attributeValue(" lead"), "{ lead}");
    EXPECT_EQ(attributeValue("trail\t"), "{trail\t}");
    EXPECT_EQ(attributeValue("Zoë; 東京"), "{Zoë; 東京}");
}
