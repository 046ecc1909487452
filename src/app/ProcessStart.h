#pragma once

#include <QCoreApplication>
#include <QTemporaryDir>
#include <memory>

namespace app {

// What every program of the project does first, in this order: the local time zone read once,
// the platform (none, Qt's offscreen one unless QT_QPA_PLATFORM names another, or the desktop),
// a settings store of the user's or a private one in a temporary folder that no run leaves
// behind, the application, and the providers the program connects through. The program, the
// drill, the tests, the fuzzer and the benchmarks start this way; it lasts as long as the run.
class ProcessStart {
public:
    enum class Platform { None, Offscreen, Desktop };
    enum class SettingsStore { User, Private };

    ProcessStart(int& argc, char** argv, Platform platform, SettingsStore settings);
    ~ProcessStart();
    ProcessStart(const ProcessStart&) = delete;
    ProcessStart& operator=(const ProcessStart&) = delete;

    QCoreApplication& application() { return *application_; }

private:
    std::unique_ptr<QTemporaryDir> settingsDir_;
    std::unique_ptr<QCoreApplication> application_;
};

} // namespace app
