#include "ui/main/StatusBar.h"

#include <QDateTime>
#include <QLabel>
#include <QLocale>
#include <QTimer>

namespace ui {

StatusBar::StatusBar(QWidget* parent) : QStatusBar(parent), clock_(new QTimer(this)) {
    setSizeGripEnabled(false);
    for (auto& panel : panels_) {
        panel = new QLabel(this);
        panel->setFrameShape(QFrame::Panel);
        panel->setFrameShadow(QFrame::Sunken);
        panel->setContentsMargins(3, 0, 3, 0);
    }
    addWidget(panels_[0], 1);
    addPermanentWidget(panels_[1]);
    addPermanentWidget(panels_[2]);
    showClock();
    // Once a second is often enough to turn the minute and the day over on time.
    connect(clock_, &QTimer::timeout, this, &StatusBar::showClock);
    clock_->start(1000);
}

QLabel* StatusBar::Panels(int index) const {
    return panels_.at(index - 1);
}

void StatusBar::showClock() {
    const QDateTime now = QDateTime::currentDateTime();
    const QLocale locale;
    panels_[1]->setText(locale.toString(now.date(), QLocale::ShortFormat));
    panels_[2]->setText(locale.toString(now.time(), QLocale::ShortFormat));
}

} // namespace ui
