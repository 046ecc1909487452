#pragma once

#include "data/access/AccessFixtures.h"
#include "support/MainWindowFixture.h"

// A main window for tests that connect to the shared Access sample files: skipped when they
// are absent from a developer's machine, failed when they are missing under CI.
class AccessWindowFixture : public MainWindowFixture {
protected:
    void SetUp() override {
        MainWindowFixture::SetUp();
        test::access::requireAccessFixtures();
    }
};
