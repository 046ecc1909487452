#include "data/odbc/InstalledDrivers.h"

#include "QtPrinters.h"
#include "support/TemporaryOdbcConfig.h"

#include <gtest/gtest.h>

using data::odbc::installedDrivers;

using DriverList = TemporaryOdbcConfig;

TEST(OdbcInstalledDrivers, DescriptionsInTheDriverManagersOrder) {
    const QString longName = "Long " + QString("x").repeated(400);
    DriverList drivers("[ODBC]\nTrace=No\n\n"
                       "[Zeta SQL]\nDriver=/nowhere/zeta.so\n\n"
                       "[Ålborg Ödbc 東京]\nDriver=/nowhere/aalborg.so\n\n"
                       "[" +
                       longName +
                       "]\nDriver=/nowhere/long.so\n\n"
                       "[Alpha]\nDriver=/nowhere/alpha.so\n");
    // The driver manager keeps its own settings under [ODBC], which names no driver.
    EXPECT_EQ(installedDrivers(), QStringList({"Zeta SQL", "Ålborg Ödbc 東京", longName, "Alpha"}));
}

TEST(OdbcInstalledDrivers, NoneWhenTheListIsEmpty) {
    DriverList drivers("");
    EXPECT_TRUE(installedDrivers().isEmpty());
}
