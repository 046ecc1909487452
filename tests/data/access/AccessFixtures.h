#pragma once

#include "support/Fixtures.h"

#include <gtest/gtest.h>

// The Access sample files kept with the tests.
namespace test::access {

inline QString accessFixture(const QString& name) {
    return test::fixture("access/" + name);
}

class WithAccessFixtures : public ::testing::Test {
protected:
    void SetUp() override { requireFixture(QStringLiteral("access/nwind.mdb")); }
};

} // namespace test::access
