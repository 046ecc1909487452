#include "data/Operation.h"

#include <QCoreApplication>
#include <QThread>

namespace data {

namespace {
OperationWatch* current = nullptr;
}

WatchScope::WatchScope(OperationWatch& watch) : previous_(current) {
    current = &watch;
}

WatchScope::~WatchScope() {
    current = previous_;
}

OperationWatch* currentWatch() {
    return current;
}

bool tick(qint64 done, qint64 total) {
    return current && current->tick(done, total);
}

bool tickOnProgramThread(qint64 done, qint64 total) {
    const QCoreApplication* application = QCoreApplication::instance();
    return application && QThread::currentThread() == application->thread() && tick(done, total);
}

bool stopping() {
    return current && current->stopping();
}

bool handlingEvents() {
    return current && current->handlingEvents();
}

void tickOrStop(qint64 done, qint64 total) {
    if (tick(done, total))
        throw Cancelled();
}

} // namespace data
