#pragma once

#include <QStatusBar>
#include <array>
#include <functional>

class QLabel;
class QProgressBar;
class QTimer;
class QToolButton;

namespace ui {

// The main window's status bar: panel 1 carries the status text and takes the width the other
// two leave; panels 2 and 3 show the current date and time and keep them current themselves.
// While a long operation runs, a progress bar and a Cancel button stand between panel 1 and the
// clock.
class StatusBar : public QStatusBar {
public:
    explicit StatusBar(QWidget* parent = nullptr);

    // Panels are numbered from 1, left to right.
    QLabel* Panels(int index) const;

    // Shows how far an operation is: `done` of `total` rows as a percentage, `done` rows alone
    // when the total is not known, a moving bar when neither is.
    void showProgress(qint64 done, qint64 total);
    void hideProgress();
    QToolButton* cancelButton() const { return cancel_; }
    // Called when Cancel is pressed.
    std::function<void()> cancelPressed;

private:
    void showClock();

    std::array<QLabel*, 3> panels_{};
    QProgressBar* progress_;
    QToolButton* cancel_;
    QTimer* clock_;
};

} // namespace ui
