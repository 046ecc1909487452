#pragma once

#include "data/access/AccessFixtures.h"
#include "support/MainWindowFixture.h"

// A main window for tests that connect to the Access sample files, which must be there.
class AccessWindowFixture : public MainWindowFixture {
protected:
    void SetUp() override {
        MainWindowFixture::SetUp();
        test::requireFixture(QStringLiteral("access/nwind.mdb"));
    }
};
