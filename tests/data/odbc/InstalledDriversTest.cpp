#include "data/odbc/InstalledDrivers.h"

#include "QtPrinters.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using data::odbc::installedDrivers;

namespace {

// Points the driver manager at a driver list of the test's own for as long as it lives.
class DriverList {
public:
    explicit DriverList(const QString& contents)
        : oldFolder_(qgetenv("ODBCSYSINI")), oldFile_(qgetenv("ODBCINSTINI")) {
        QFile file(folder_.filePath("odbcinst.ini"));
        file.open(QIODevice::WriteOnly);
        file.write(contents.toUtf8());
        qputenv("ODBCSYSINI", QFile::encodeName(folder_.path()));
        qputenv("ODBCINSTINI", "odbcinst.ini");
    }
    ~DriverList() {
        restore("ODBCSYSINI", oldFolder_);
        restore("ODBCINSTINI", oldFile_);
    }

private:
    static void restore(const char* name, const QByteArray& value) {
        if (value.isNull())
            qunsetenv(name);
        else
            qputenv(name, value);
    }

    QTemporaryDir folder_;
    QByteArray oldFolder_;
    QByteArray oldFile_;
};

} // namespace

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
