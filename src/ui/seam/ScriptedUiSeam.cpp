#include "ui/seam/ScriptedUiSeam.h"

#include <QDialog>
#include <QPointer>

namespace ui {

void ScriptedUiSeam::messageBox(const QString& text, int icon, const QString& title) {
    messages.push_back({text, icon, title});
    if (messageShown)
        messageShown();
}

std::optional<QString> ScriptedUiSeam::fileOpen(QWidget*, const QString& title,
                                                const QString& filter, const QString& folder,
                                                QString& chosenFilter) {
    fileRequests.push_back({title, filter, folder, chosenFilter});
    if (files_.empty())
        return std::nullopt;
    const FileAnswer answer = files_.front();
    files_.pop_front();
    if (answer.path.isNull())
        return std::nullopt;
    // As a dialog does, it shows the first description when told none.
    if (!answer.filter.isEmpty())
        chosenFilter = answer.filter;
    else if (chosenFilter.isEmpty())
        chosenFilter = filter.section('|', 0, 0);
    return answer.path;
}

int ScriptedUiSeam::showModal(QDialog& form, QWidget*) {
    formsShown << form.objectName();
    form.setResult(QDialog::Rejected);
    // Shown (without a modal loop) so that its buttons and keys work as they do for a person.
    QPointer<QDialog> guard(&form);
    form.show();
    if (!forms_.empty()) {
        FormScript script = std::move(forms_.front());
        forms_.pop_front();
        script(form);
    }
    if (!guard)
        return QDialog::Rejected;
    // A form the script left open is closed as a person closes it with its close box.
    if (form.isVisible())
        form.reject();
    if (guard && form.isVisible())
        form.hide();
    return form.result();
}

void ScriptedUiSeam::clipboardClear() {
    clipboard.clear();
    clipboardCleared = true;
}

void ScriptedUiSeam::clipboardSetText(const QString& text) {
    clipboard = text;
}

} // namespace ui
