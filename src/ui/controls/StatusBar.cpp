#include "ui/controls/StatusBar.h"

#include <QDateTime>
#include <QLabel>
#include <QLocale>
#include <QProgressBar>
#include <QTimer>
#include <QToolButton>

namespace ui {

StatusBar::StatusBar(QWidget* parent)
    : QStatusBar(parent), progress_(new QProgressBar(this)), cancel_(new QToolButton(this)),
      clock_(new QTimer(this)) {
    setSizeGripEnabled(false);
    for (auto& panel : panels_) {
        panel = new QLabel(this);
        panel->setFrameShape(QFrame::Panel);
        panel->setFrameShadow(QFrame::Sunken);
        panel->setContentsMargins(3, 0, 3, 0);
    }
    addWidget(panels_[0], 1);
    progress_->setMaximumWidth(180);
    progress_->setTextVisible(true);
    cancel_->setText(QStringLiteral("Cancel"));
    connect(cancel_, &QToolButton::clicked, this, [this] {
        if (cancelPressed)
            cancelPressed();
    });
    addPermanentWidget(progress_);
    addPermanentWidget(cancel_);
    hideProgress();
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

void StatusBar::showProgress(qint64 done, qint64 total) {
    const QLocale locale;
    if (total > 0) {
        progress_->setRange(0, 1000);
        progress_->setValue(static_cast<int>(std::min<qint64>(done, total) * 1000 / total));
        progress_->setFormat(
            QStringLiteral("%1%").arg(std::min<qint64>(done, total) * 100 / total));
    } else if (done > 0) {
        progress_->setRange(0, 0);
        progress_->setFormat(locale.toString(done) + QStringLiteral(" rows"));
    } else {
        progress_->setRange(0, 0);
        progress_->setFormat(QString());
    }
    progress_->show();
    cancel_->show();
}

void StatusBar::hideProgress() {
    progress_->hide();
    cancel_->hide();
    progress_->reset();
}

void StatusBar::showClock() {
    const QDateTime now = QDateTime::currentDateTime();
    const QLocale locale;
    panels_[1]->setText(locale.toString(now.date(), QLocale::ShortFormat));
    panels_[2]->setText(locale.toString(now.time(), QLocale::ShortFormat));
}

} // namespace ui
