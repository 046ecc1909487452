#pragma once

#include <QDir>
#include <QFileInfo>
#include <QString>
#include <gtest/gtest.h>

// The shared Access sample files. A test built on them skips when they are absent from a
// developer's machine, and fails when run under CI, where they must be present.
namespace test::access {

inline QString accessFixture(const QString& name) {
    return QStringLiteral(QUARRYMERE_FIXTURES "/access/") + name;
}

// Skips the running test, or fails it under CI, when the sample files are missing.
inline void requireAccessFixtures() {
    if (QFileInfo::exists(accessFixture(QStringLiteral("nwind.mdb"))))
        return;
    const std::string where = QDir::cleanPath(accessFixture(QString())).toStdString();
    if (qEnvironmentVariableIsSet("CI"))
        FAIL() << "The Access sample files are missing from " << where;
    GTEST_SKIP() << "The Access sample files are not on this machine (" << where << ")";
}

class WithAccessFixtures : public ::testing::Test {
protected:
    void SetUp() override { requireAccessFixtures(); }
};

} // namespace test::access
