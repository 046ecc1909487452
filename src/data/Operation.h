#pragma once

#include "data/Error.h"

#include <QtGlobal>

// The long operation running now on the program's thread, as the layers that do the work see it.
// The engine, the loaders and the readers call tick() as they go, with how far they are when they
// know it; the watch the window puts in place while a command runs (see the ui's operation pump)
// keeps the window painting in between, shows the progress and hears the user ask to stop. When
// tick() answers that the operation is to stop, the work ends by throwing Cancelled, and
// everything it was building is let go of.
namespace data {

class OperationWatch {
public:
    virtual ~OperationWatch() = default;
    // `done` of `total` units of work (rows); `total` 0 when not known, both 0 when the caller
    // can only say that it is still working. True when the operation is to stop.
    virtual bool tick(qint64 done, qint64 total) = 0;
    // Whether the operation was asked to stop (tick() answered true at least once).
    virtual bool stopping() const = 0;
    // Whether the program handles its window's events now, inside a tick: nothing may then read
    // from a source, which the operation is using.
    virtual bool handlingEvents() const = 0;
};

// Puts a watch in place for its lifetime, and the one before it back afterwards.
class WatchScope {
public:
    explicit WatchScope(OperationWatch& watch);
    ~WatchScope();
    WatchScope(const WatchScope&) = delete;
    WatchScope& operator=(const WatchScope&) = delete;

private:
    OperationWatch* previous_;
};

// The watch in place, if any.
OperationWatch* currentWatch();

// Reports progress to the watch in place; true when the operation is to stop. Without a watch
// nothing ever stops.
bool tick(qint64 done = 0, qint64 total = 0);
// As tick(), where the caller may run on another thread than the program's, to which the watch
// belongs (a reader serves both the program's thread and a load's reading thread): false there.
bool tickOnProgramThread(qint64 done = 0, qint64 total = 0);
// Whether the operation running now was asked to stop.
bool stopping();
// Whether the window's events are being handled in the middle of an operation.
bool handlingEvents();
// Throws Cancelled when the operation running now is to stop.
void tickOrStop(qint64 done = 0, qint64 total = 0);

// The failure of an operation the user stopped: not shown as an error, it puts "Cancelled" in
// the status bar.
class Cancelled : public Error {
public:
    Cancelled() : Error(QStringLiteral("Cancelled")) {}
};

} // namespace data
