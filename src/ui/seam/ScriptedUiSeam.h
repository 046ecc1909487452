#pragma once

#include "ui/seam/UiSeam.h"

#include <QStringList>
#include <deque>
#include <functional>
#include <vector>

namespace ui {

// The seam without a person: messages are recorded instead of shown, file dialogs and modal
// forms are answered from a script prepared in advance, and the clipboard is a plain string.
class ScriptedUiSeam : public UiSeam {
public:
    struct Message {
        QString text;
        int icon = 0;
        QString title;
    };
    struct FileRequest {
        QString title;
        QString filter;
        QString folder;
        QString chosenFilter; // the description the dialog was to start with
    };
    // Plays the person at a modal form: may fill its fields, press its buttons or keys, and
    // returns when done. A form still open afterwards is closed as by its close box.
    using FormScript = std::function<void(QDialog&)>;

    void messageBox(const QString& text, int icon, const QString& title) override;
    std::optional<QString> fileOpen(QWidget* owner, const QString& title, const QString& filter,
                                    const QString& folder, QString& chosenFilter) override;
    int showModal(QDialog& form, QWidget* owner) override;
    void clipboardClear() override;
    void clipboardSetText(const QString& text) override;
    void setMousePointer(int pointer) override { pointer_ = pointer; }
    int mousePointer() const override { return pointer_; }

    // The next file dialog returns this path, chosen with the files of the description
    // `filter` shown (the one it started with when empty); nothing queued (or std::nullopt)
    // means Cancel.
    void queueFile(const std::optional<QString>& path, const QString& filter = {}) {
        files_.push_back({path.value_or(QString()), filter});
    }
    // The next modal form is handed to this script; with nothing queued it is closed at once.
    void queueForm(FormScript script) { forms_.push_back(std::move(script)); }

    std::vector<Message> messages;
    // Called as each message box comes up, to look at the window then.
    std::function<void()> messageShown;
    std::vector<FileRequest> fileRequests;
    QStringList formsShown; // object names of the forms shown modally, in order
    QString clipboard;
    bool clipboardCleared = false;

private:
    struct FileAnswer {
        QString path; // a null text stands for Cancel
        QString filter;
    };
    std::deque<FileAnswer> files_;
    std::deque<FormScript> forms_;
    int pointer_ = PointerDefault;
};

} // namespace ui
