#include "ui/controls/Feedback.h"

#include "data/Error.h"
#include "ui/controls/StatusBar.h"
#include "ui/seam/UiSeam.h"

#include <QLabel>

namespace ui {

namespace {

OperationPump* runningPump() {
    return dynamic_cast<OperationPump*>(data::currentWatch());
}

} // namespace

Feedback::Feedback(UiSeam& seam, StatusBar& bar) : seam_(seam), bar_(bar), panel_(*bar.Panels(1)) {}

void Feedback::cancelled() {
    atRest(QStringLiteral("Cancelled"));
}

void Feedback::status(const QString& text) {
    panel_.setText(text);
    if (OperationPump* pump = runningPump())
        pump->statusChanged(text);
    panel_.repaint();
}

void Feedback::atRest(const QString& text) {
    if (OperationPump* pump = runningPump())
        pump->settle();
    panel_.setText(text);
    panel_.repaint();
    seam_.setMousePointer(PointerDefault);
}

void Feedback::busy(const QString& text) {
    status(text);
    seam_.setMousePointer(PointerHourglass);
}

void Feedback::ready() {
    atRest(QStringLiteral("Ready"));
}

void Feedback::showError(const QString& description) {
    seam_.messageBox(description, IconCritical, QStringLiteral("Error!"));
}

QString Feedback::describe(const std::exception& failure) {
    if (const auto* error = dynamic_cast<const data::Error*>(&failure))
        return error->description();
    return QString::fromUtf8(failure.what());
}

void Feedback::showError(const std::exception& failure) {
    showError(describe(failure));
}

} // namespace ui
