#pragma once

#include <QStatusBar>
#include <array>

class QLabel;
class QTimer;

namespace ui {

// The main window's status bar: panel 1 carries the status text and takes the width the other
// two leave; panels 2 and 3 show the current date and time and keep them current themselves.
class StatusBar : public QStatusBar {
public:
    explicit StatusBar(QWidget* parent = nullptr);

    // Panels are numbered from 1, left to right.
    QLabel* Panels(int index) const;

private:
    void showClock();

    std::array<QLabel*, 3> panels_{};
    QTimer* clock_;
};

} // namespace ui
