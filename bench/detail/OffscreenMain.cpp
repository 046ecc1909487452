#include "OffscreenMain.h"

#include "app/LocalTimeZone.h"
#include "app/StandardProviders.h"

#include <QApplication>
#include <cstdio>
#include <exception>

namespace bench {

int runOffscreen(int argc, char** argv, const std::function<void(const QStringList&)>& run) {
    app::readLocalTimeZoneOnce();
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    app::registerStandardProviders();
    try {
        run(app.arguments());
    } catch (const std::exception& error) {
        std::fprintf(stderr, "%s\n", error.what());
        return 1;
    }
    return 0;
}

} // namespace bench
