#pragma once

#include <QDir>
#include <QFileInfo>
#include <QString>
#include <gtest/gtest.h>

// The sample files kept with the tests (tests/fixtures). Every one of them must be there: a
// test whose file is missing fails, it never skips.
namespace test {

inline QString fixture(const QString& relativePath) {
    return QDir::cleanPath(QStringLiteral(QUARRYMERE_FIXTURES "/") + relativePath);
}

// Fails the running test when the sample file is missing.
inline void requireFixture(const QString& relativePath) {
    if (!QFileInfo::exists(fixture(relativePath)))
        FAIL() << "The sample file " << fixture(relativePath).toStdString() << " is missing.";
}

} // namespace test
