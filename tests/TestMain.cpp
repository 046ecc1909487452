// Runs the whole suite inside one QApplication on Qt's offscreen platform, with the settings
// store moved into a private temporary folder so that no test touches the user's settings, and
// the program's data sources known as at its start.
#include "app/ProcessStart.h"

#include <gtest/gtest.h>

int main(int argc, char** argv) {
    const app::ProcessStart start(argc, argv, app::ProcessStart::Platform::Offscreen,
                                  app::ProcessStart::SettingsStore::Private);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
