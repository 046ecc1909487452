#include "app/ProcessStart.h"

#include "app/LocalTimeZone.h"
#include "app/StandardProviders.h"

#include <QApplication>
#include <QFile>
#include <QSettings>

namespace app {

ProcessStart::ProcessStart(int& argc, char** argv, Platform platform, SettingsStore settings) {
    readLocalTimeZoneOnce();
    if (platform == Platform::Offscreen && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (settings == SettingsStore::Private) {
        settingsDir_ = std::make_unique<QTemporaryDir>();
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(settingsDir_->path()));
        if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR"))
            qputenv("XDG_RUNTIME_DIR", QFile::encodeName(settingsDir_->path()));
    }
    if (platform == Platform::None)
        application_ = std::make_unique<QCoreApplication>(argc, argv);
    else
        application_ = std::make_unique<QApplication>(argc, argv);
    if (settingsDir_)
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settingsDir_->path());
    registerStandardProviders();
}

ProcessStart::~ProcessStart() = default;

} // namespace app
