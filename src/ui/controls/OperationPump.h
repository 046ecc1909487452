#pragma once

#include "data/Operation.h"

#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <QString>
#include <deque>
#include <memory>

class QLabel;

namespace ui {

class StatusBar;

// The watch over a long operation of the window (see data::OperationWatch). As the work ticks,
// at most every `timing.turnEvery` ms, it lets the window handle its events, so that it keeps
// painting and its clock keeps running; after `timing.progressAfter` ms a command shows how far
// the work is in the status bar (rows or percent beside the status text, a progress bar,
// Cancel). Escape or Cancel stops the operation. The person's other input is held back, so that
// no command starts in the middle of another:
// - a command drops it: the click or key that came while the window was busy does nothing;
// - work in the background (the tree's index, which nobody waits for) shows no progress, stops
//   at the first press or key and hands that input, with the pointer's moves after it and
//   those made with a button held, back to the window when it has let go of the source, so
//   that the command runs at once as the person made it (a header drag included).
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

    // The status text changed while the operation runs: the progress shows beside the new text.
    void statusChanged(const QString& text);
    // The operation's work is over ("Ready" or "Cancelled" shows): the progress bar and Cancel
    // go at once and come back only with a new status text.
    void settle();

    struct Timing {
        int turnEvery = 40;      // ms between two turns of the window's events
        int progressAfter = 500; // ms before a command's progress shows
    };
    // Tests that act while an operation runs turn the events at every report and show the
    // progress at once, so that what they do is heard whatever the machine's speed.
    static Timing timing;

protected:
    bool eventFilter(QObject* receiver, QEvent* event) override;

private:
    void showProgress();
    // Whether a mouse event the window receives (before it finds the widget under the pointer)
    // is for the Cancel button: a press on it, or the release and moves that follow that press.
    bool forCancel(QObject* receiver, QEvent* event);

    StatusBar& bar_;
    QLabel& panel_;
    Kind kind_;
    bool stop_ = false;
    bool pumping_ = false;
    bool shown_ = false;
    bool settled_ = false;
    bool cancelHeld_ = false; // the button is pressed on Cancel
    QString text_;            // the status text the progress stands beside
    qint64 done_ = 0;
    qint64 total_ = 0;
    QElapsedTimer started_;
    QElapsedTimer lastTurn_;
    using HeldEvents = std::deque<std::pair<QPointer<QObject>, std::unique_ptr<QEvent>>>;
    static void handBack(const std::shared_ptr<HeldEvents>& events);

    HeldEvents heldBack_;
};

} // namespace ui
