#include "OffscreenMain.h"

#include "app/ProcessStart.h"

#include <cstdio>
#include <exception>

namespace bench {

int runOffscreen(int argc, char** argv, const std::function<void(const QStringList&)>& run) {
    app::ProcessStart start(argc, argv, app::ProcessStart::Platform::Offscreen,
                            app::ProcessStart::SettingsStore::User);
    try {
        run(start.application().arguments());
    } catch (const std::exception& error) {
        std::fprintf(stderr, "%s\n", error.what());
        return 1;
    }
    return 0;
}

} // namespace bench
