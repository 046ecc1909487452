// Runs the whole suite inside one QApplication on Qt's offscreen platform, with the settings
// store moved into a private temporary folder so that no test touches the user's settings, and
// the program's data sources known as at its start.
#include "app/LocalTimeZone.h"
#include "app/StandardProviders.h"

#include <QApplication>
#include <QSettings>
#include <QTemporaryDir>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    app::readLocalTimeZoneOnce();
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir settingsDir;
    qputenv("XDG_CONFIG_HOME", settingsDir.path().toUtf8());
    QApplication app(argc, argv);
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settingsDir.path());
    app::registerStandardProviders();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
