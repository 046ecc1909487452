#include "ui/controls/OperationPump.h"

#include "ui/controls/StatusBar.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLocale>
#include <QMouseEvent>
#include <QToolButton>
#include <QWidget>
#include <QWindow>

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

bool isMouseButton(QEvent::Type type) {
    return type == QEvent::MouseButtonPress || type == QEvent::MouseButtonDblClick;
}

} // namespace

OperationPump::Timing OperationPump::timing;

OperationPump::OperationPump(StatusBar& bar, Kind kind)
    : bar_(bar), panel_(*bar.Panels(1)), kind_(kind), text_(panel_.text()) {
    started_.start();
    bar_.cancelPressed = [this] { stop_ = true; };
    QCoreApplication::instance()->installEventFilter(this);
}

OperationPump::~OperationPump() {
    QCoreApplication::instance()->removeEventFilter(this);
    bar_.cancelPressed = nullptr;
    if (shown_) {
        bar_.hideProgress();
        panel_.setText(text_);
    }
    handBack(std::make_shared<HeldEvents>(std::move(heldBack_)));
}

// One event a turn of the event loop, as the desktop delivers input: what each sets going
// (queued calls, a drag's start) runs before the next arrives.
void OperationPump::handBack(const std::shared_ptr<HeldEvents>& events) {
    if (events->empty())
        return;
    QMetaObject::invokeMethod(
        QCoreApplication::instance(),
        [events] {
            auto [receiver, event] = std::move(events->front());
            events->pop_front();
            if (receiver)
                QCoreApplication::sendEvent(receiver, event.get());
            handBack(events);
        },
        Qt::QueuedConnection);
}

bool OperationPump::tick(qint64 done, qint64 total) {
    if (done > 0) {
        done_ = done;
        total_ = total;
    }
    if (pumping_ || (lastTurn_.isValid() ? lastTurn_ : started_).elapsed() < timing.turnEvery)
        return stop_;
    if (kind_ == Kind::Command && !settled_ && started_.elapsed() >= timing.progressAfter)
        showProgress();
    pumping_ = true;
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    pumping_ = false;
    lastTurn_.start();
    return stop_;
}

void OperationPump::statusChanged(const QString& text) {
    text_ = text;
    settled_ = false;
    if (shown_)
        showProgress();
}

void OperationPump::settle() {
    settled_ = true;
    if (!shown_)
        return;
    shown_ = false;
    bar_.hideProgress();
}

void OperationPump::showProgress() {
    shown_ = true;
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
    if (!isInput(type) || isOn(receiver, bar_.cancelButton()) || forCancel(receiver, event))
        return false;
    if (type == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
        stop_ = true;
        return true;
    }
    // A move with a button held is part of a drag, begun before the work or during it: it is
    // handed back with the rest, so that the drag goes on where the pointer went. A move alone
    // stops nothing.
    if (kind_ == Kind::Background &&
        (type != QEvent::MouseMove || !heldBack_.empty() ||
         static_cast<QMouseEvent*>(event)->buttons() != Qt::NoButton)) {
        stop_ = true;
        heldBack_.emplace_back(receiver, event->clone());
    }
    return true;
}

// The desktop hands a mouse event to the window first, which then finds the widget under the
// pointer; held back there, it would never reach Cancel.
bool OperationPump::forCancel(QObject* receiver, QEvent* event) {
    const QToolButton* cancel = bar_.cancelButton();
    const QEvent::Type type = event->type();
    if (receiver->isWidgetType() || receiver != cancel->window()->windowHandle() ||
        (!isMouseButton(type) && type != QEvent::MouseButtonRelease && type != QEvent::MouseMove))
        return false;
    if (isMouseButton(type)) {
        const QPointF at = static_cast<QMouseEvent*>(event)->globalPosition();
        cancelHeld_ =
            cancel->isVisible() && cancel->rect().contains(cancel->mapFromGlobal(at.toPoint()));
        return cancelHeld_;
    }
    const bool held = cancelHeld_;
    if (type == QEvent::MouseButtonRelease)
        cancelHeld_ = false;
    return held;
}

} // namespace ui
