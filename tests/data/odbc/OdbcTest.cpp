// The parts of the ODBC provider that the server tests do not reach through the real driver.
#include "QtPrinters.h"
#include "data/AdoTypes.h"
#include "data/odbc/AdoType.h"
#include "data/odbc/AttributeValue.h"
#include "data/odbc/InstalledDrivers.h"
#include "support/TemporaryOdbcConfig.h"

#include <gtest/gtest.h>
#include <sqlext.h>
#include <sqlucode.h>

using namespace data;

// The types the driver does not send: unsigned integers, and types without a code of their own.
TEST(OdbcAdoType, IntegersHaveUnsignedCodesAndOtherTypesAreReadAsText) {
    const std::tuple<SQLSMALLINT, int, int> cases[] = {
        {SQL_TINYINT, ado::adTinyInt, ado::adUnsignedTinyInt},
        {SQL_SMALLINT, ado::adSmallInt, ado::adUnsignedSmallInt},
        {SQL_INTEGER, ado::adInteger, ado::adUnsignedInt},
        {SQL_BIGINT, ado::adBigInt, ado::adUnsignedBigInt},
        {SQL_DECIMAL, ado::adNumeric, ado::adNumeric},
        {SQL_VARBINARY, ado::adVarBinary, ado::adVarBinary},
        {SQL_INTERVAL_DAY, ado::adVarWChar, ado::adVarWChar},
        {SQL_UNKNOWN_TYPE, ado::adVarWChar, ado::adVarWChar},
    };
    for (const auto& [sqlType, signedCode, unsignedCode] : cases) {
        EXPECT_EQ(odbc::adoTypeOf(sqlType, false), signedCode) << sqlType;
        EXPECT_EQ(odbc::adoTypeOf(sqlType, true), unsignedCode) << sqlType;
    }
}

TEST(OdbcAttributeValue, QuotesOnlyWhatTheConnectionStringWouldMisread) {
    for (const char* plain : {"", "Sales DB", "C:\\data\\a.mdb", "p=w'\"d"})
        EXPECT_EQ(odbc::attributeValue(plain), QString(plain));
    EXPECT_EQ(odbc::attributeValue("a;b"), "{a;b}");
    EXPECT_EQ(odbc::attributeValue("x}}y"), "{x}}}}y}");
    EXPECT_EQ(odbc::attributeValue("{x}"), "{{x}}}");
    EXPECT_EQ(odbc::attributeValue(" lead"), "{ lead}");
    EXPECT_EQ(odbc::attributeValue("trail\t"), "{trail\t}");
}

// The driver manager keeps its own settings under [ODBC], which names no driver.
TEST(OdbcInstalledDrivers, DescriptionsInTheDriverManagersOrder) {
    const QString longName = "Long " + QString("x").repeated(400);
    {
        TemporaryOdbcConfig drivers("[ODBC]\nTrace=No\n\n[Zeta SQL]\nDriver=/nowhere/zeta.so\n\n"
                                    "[Ålborg Ödbc 東京]\nDriver=/nowhere/aalborg.so\n\n[" +
                                    longName +
                                    "]\nDriver=/nowhere/long.so\n\n"
                                    "[Alpha]\nDriver=/nowhere/alpha.so\n");
        EXPECT_EQ(odbc::installedDrivers(),
                  QStringList({"Zeta SQL", "Ålborg Ödbc 東京", longName, "Alpha"}));
    }
    TemporaryOdbcConfig none("");
    EXPECT_TRUE(odbc::installedDrivers().isEmpty());
}
