#pragma once

#include "data/Operation.h"
#include "ui/controls/OperationPump.h"

#include <QString>
#include <exception>
#include <optional>
#include <utility>

class QLabel;

namespace ui {

class StatusBar;
class UiSeam;

// The one place that tells the user what is going on: the status text of panel 1 with the
// hourglass while an operation works, "Ready" when it ends, and the "Error!" box when it fails.
// While a handler's body runs it keeps the window alive and hears Escape (see OperationPump); an
// operation the user stopped ends with "Cancelled" in the status bar, not in the "Error!" box.
class Feedback {
public:
    Feedback(UiSeam& seam, StatusBar& bar);

    // Shows `text` in the status panel at once (the operation that follows does not return to
    // the event loop before it ends) and the hourglass pointer.
    void busy(const QString& text);
    // "Ready" and the default pointer; the progress bar and Cancel go first.
    void ready();
    // Status text only, painted at once (beside the progress while it shows).
    void status(const QString& text);

    // The "Error!" box with the failure's description and the critical icon.
    void showError(const QString& description);
    void showError(const std::exception& failure);

    static QString describe(const std::exception& failure);

    enum class OnFailure { ShowOnly, ReadyFirst };

    // Runs a handler's body under one error trap: a failure ends the body and is shown in the
    // "Error!" box, after putting back "Ready" and the default pointer when asked to.
    // A stopped operation puts back the default pointer and says "Cancelled" whatever `restore`
    // asks: its failure is no error, and the operation has ended.
    // Within an operation that was asked to stop, the body does not run: what a handler does
    // after a step that was stopped is part of the same operation.
    template <class Body> bool trap(Body&& body, OnFailure restore = OnFailure::ShowOnly) {
        if (data::stopping())
            return false;
        bool stopped = false;
        try {
            std::optional<OperationPump> pump;
            std::optional<data::WatchScope> watching;
            if (!data::currentWatch()) {
                pump.emplace(bar_, OperationPump::Kind::Command);
                watching.emplace(*pump);
            }
            try {
                std::forward<Body>(body)();
                return true;
            } catch (const std::exception&) {
                stopped = data::stopping();
                throw;
            }
        } catch (const std::exception& failure) {
            if (stopped || dynamic_cast<const data::Cancelled*>(&failure)) {
                cancelled();
                return false;
            }
            if (restore == OnFailure::ReadyFirst)
                ready();
            showError(failure);
            return false;
        }
    }

    // "Cancelled" and the default pointer.
    void cancelled();

private:
    // The work is over: the progress goes, `text` shows with the default pointer.
    void atRest(const QString& text);

    UiSeam& seam_;
    StatusBar& bar_;
    QLabel& panel_;
};

} // namespace ui
