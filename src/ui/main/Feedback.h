#pragma once

#include <QString>
#include <exception>
#include <utility>

class QLabel;

namespace ui {

class UiSeam;

// The one place that tells the user what is going on: the status text of panel 1 with the
// hourglass while an operation works, "Ready" when it ends, and the "Error!" box when it fails.
class Feedback {
public:
    Feedback(UiSeam& seam, QLabel& statusPanel) : seam_(seam), panel_(statusPanel) {}

    // Shows `text` in the status panel at once (the operation that follows does not return to
    // the event loop before it ends) and the hourglass pointer.
    void busy(const QString& text);
    // "Ready" and the default pointer.
    void ready();
    // Status text only, painted at once.
    void status(const QString& text);

    // The "Error!" box with the failure's description and the critical icon.
    void showError(const QString& description);
    void showError(const std::exception& failure);

    static QString describe(const std::exception& failure);

    enum class OnFailure { ShowOnly, ReadyFirst };

    // Runs a handler's body under one error trap: a failure ends the body and is shown in the
    // "Error!" box, after putting back "Ready" and the default pointer when asked to.
    template <class Body> bool trap(Body&& body, OnFailure restore = OnFailure::ShowOnly) {
        try {
            std::forward<Body>(body)();
            return true;
        } catch (const std::exception& failure) {
            if (restore == OnFailure::ReadyFirst)
                ready();
            showError(failure);
            return false;
        }
    }

private:
    UiSeam& seam_;
    QLabel& panel_;
};

} // namespace ui
