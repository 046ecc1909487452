#include "ui/main/OperationPump.h"

#include "ui/main/StatusBar.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLocale>
#include <QToolButton>
#include <QWidget>

namespace ui {

namespace {

bool isInput(QEvent::Type type) {
    switch (type) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::Wheel:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
    case QEvent::Shortcut:
    case QEvent::ContextMenu:
    case QEvent::DragEnter:
    case QEvent::DragMove:
    case QEvent::DragLeave:
    case QEvent::Drop:
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
        return true;
    default:
        return false;
    }
}

bool isOn(QObject* receiver, const QWidget* widget) {
    for (QObject* at = receiver; at; at = at->parent())
        if (at == widget)
            return true;
    return false;
}

} // namespace

OperationPump::OperationPump(StatusBar& bar, Kind kind)
    : bar_(bar), panel_(*bar.Panels(1)), kind_(kind) {
    started_.start();
    bar_.cancelPressed = [this] { stop_ = true; };
    QCoreApplication::instance()->installEventFilter(this);
}

OperationPump::~OperationPump() {
    QCoreApplication::instance()->removeEventFilter(this);
    bar_.cancelPressed = nullptr;
    if (shown_)
        bar_.hideProgress();
    for (auto& [receiver, event] : heldBack_)
        if (receiver)
            QCoreApplication::postEvent(receiver, event.release());
}

bool OperationPump::tick(qint64 done, qint64 total) {
    if (done > 0) {
        done_ = done;
        total_ = total;
    }
    if (pumping_ || (lastTurn_.isValid() ? lastTurn_ : started_).elapsed() < PumpInterval)
        return stop_;
    if (started_.elapsed() >= ProgressAfter)
        showProgress();
    pumping_ = true;
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    pumping_ = false;
    lastTurn_.start();
    return stop_;
}

void OperationPump::showProgress() {
    if (!shown_) {
        text_ = panel_.text();
        shown_ = true;
    }
    bar_.showProgress(done_, total_);
    const QLocale locale;
    QString text = text_;
    if (total_ > 0)
        text += QStringLiteral(" %1%").arg(std::min(done_, total_) * 100 / total_);
    else if (done_ > 0)
        text += QStringLiteral(" %1 rows").arg(locale.toString(done_));
    panel_.setText(text);
}

bool OperationPump::eventFilter(QObject* receiver, QEvent* event) {
    // Between turns the operation may show a dialog of its own, whose input is its own.
    if (!pumping_)
        return false;
    const QEvent::Type type = event->type();
    if (type == QEvent::Close && receiver->isWidgetType() &&
        static_cast<QWidget*>(receiver)->isWindow()) {
        // Closed once the operation has let go.
        stop_ = true;
        event->ignore();
        heldBack_.emplace_back(receiver, event->clone());
        return true;
    }
    if (!isInput(type) || isOn(receiver, bar_.cancelButton()))
        return false;
    if (type == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
        stop_ = true;
        return true;
    }
    if (kind_ == Kind::Background && type != QEvent::MouseMove) {
        stop_ = true;
        heldBack_.emplace_back(receiver, event->clone());
    }
    return true;
}

} // namespace ui
