#pragma once

#include "data/Operation.h"

#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <QString>
#include <memory>
#include <vector>

class QLabel;

namespace ui {

class StatusBar;

// The watch over a long operation of the window (see data::OperationWatch). As the work ticks,
// at most every PumpInterval, it lets the window handle its events, so that it keeps painting
// and its clock keeps running; after half a second it shows how far the work is in the status
// bar (rows or percent beside the status text, a progress bar, Cancel). Escape or Cancel stops
// the operation. The person's other input is held back, so that no command starts in the middle
// of another:
// - a command drops it: the click or key that came while the window was busy does nothing;
// - work in the background (the tree's index, which nobody waits for) stops at the first input
//   and hands it back to the window when it has let go of the source, so that the command
//   runs at once.
// Closing the window stops the operation, and the window closes once it has.
class OperationPump : public QObject, public data::OperationWatch {
public:
    enum class Kind { Command, Background };

    OperationPump(StatusBar& bar, Kind kind);
    ~OperationPump() override;

    bool tick(qint64 done, qint64 total) override;
    bool stopping() const override { return stop_; }

    bool handlingEvents() const override { return pumping_; }
    // Whether input came that the pump hands back when it ends (background work only).
    bool heldInput() const { return !heldBack_.empty(); }

    static constexpr int PumpInterval = 40;   // ms between two turns of the window's events
    static constexpr int ProgressAfter = 500; // ms before the progress shows

protected:
    bool eventFilter(QObject* receiver, QEvent* event) override;

private:
    void showProgress();

    StatusBar& bar_;
    QLabel& panel_;
    Kind kind_;
    bool stop_ = false;
    bool pumping_ = false;
    bool shown_ = false;
    QString text_; // the status text the operation began with
    qint64 done_ = 0;
    qint64 total_ = 0;
    QElapsedTimer started_;
    QElapsedTimer lastTurn_;
    std::vector<std::pair<QPointer<QObject>, std::unique_ptr<QEvent>>> heldBack_;
};

} // namespace ui
