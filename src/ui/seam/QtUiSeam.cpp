#include "ui/seam/QtUiSeam.h"

#include <QApplication>
#include <QClipboard>
#include <QDialog>
#include <QFileDialog>
#include <QMainWindow>
#include <QMessageBox>

namespace ui {

void QtUiSeam::messageBox(const QString& text, int icon, const QString& title) {
    QMessageBox::Icon qtIcon = QMessageBox::NoIcon;
    switch (icon) {
    case IconCritical:
        qtIcon = QMessageBox::Critical;
        break;
    case IconQuestion:
        qtIcon = QMessageBox::Question;
        break;
    case IconExclamation:
        qtIcon = QMessageBox::Warning;
        break;
    case IconInformation:
        qtIcon = QMessageBox::Information;
        break;
    }
    // A message must be readable whatever pointer an operation left behind.
    const bool hourglass = QApplication::overrideCursor() != nullptr;
    if (hourglass)
        QApplication::setOverrideCursor(Qt::ArrowCursor);
    QMessageBox box(qtIcon, title, text, QMessageBox::Ok, messageOwner());
    box.exec();
    if (hourglass)
        QApplication::restoreOverrideCursor();
}

QWidget* QtUiSeam::messageOwner() {
    if (QWidget* modal = QApplication::activeModalWidget())
        return modal;
    if (QWidget* active = QApplication::activeWindow())
        return active;
    for (QWidget* top : QApplication::topLevelWidgets())
        if (top->isVisible() && qobject_cast<QMainWindow*>(top))
            return top;
    return nullptr;
}

QStringList QtUiSeam::qtNameFilters(const QString& filter) {
    const QStringList parts = filter.split('|');
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString description = parts[i];
        const QString patterns = QString(parts[i + 1]).replace(';', ' ');
        filters << (description.contains('(') ? description : description + " (" + patterns + ")");
    }
    return filters;
}

std::optional<QString> QtUiSeam::fileOpen(QWidget* owner, const QString& title,
                                          const QString& filter, const QString& folder,
                                          QString& chosenFilter) {
    const QStringList descriptions = filter.split('|');
    const QStringList names = qtNameFilters(filter);
    const qsizetype start = descriptions.indexOf(chosenFilter);
    QString selected = start >= 0 && start % 2 == 0 ? names.value(start / 2) : QString();
    const QString path =
        QFileDialog::getOpenFileName(owner, title, folder, names.join(";;"), &selected);
    if (path.isEmpty())
        return std::nullopt;
    if (const qsizetype shown = names.indexOf(selected); shown >= 0)
        chosenFilter = descriptions.value(shown * 2);
    return path;
}

int QtUiSeam::showModal(QDialog& form, QWidget* owner) {
    if (owner && form.parentWidget() != owner)
        form.setParent(owner, form.windowFlags());
    return form.exec();
}

void QtUiSeam::clipboardClear() {
    QApplication::clipboard()->clear();
}

void QtUiSeam::clipboardSetText(const QString& text) {
    QApplication::clipboard()->setText(text);
}

void QtUiSeam::setMousePointer(int pointer) {
    if (pointer == pointer_)
        return;
    if (pointer_ == PointerHourglass)
        QApplication::restoreOverrideCursor();
    if (pointer == PointerHourglass)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    pointer_ = pointer;
}

} // namespace ui
