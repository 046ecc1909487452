#pragma once

#include <QString>
#include <optional>

class QDialog;
class QWidget;

namespace ui {

// Message box icons, by the numbers the program's messages are given in.
enum MsgIcon { IconCritical = 16, IconQuestion = 32, IconExclamation = 48, IconInformation = 64 };

// Mouse pointers: the default one and the hourglass shown while an operation works.
enum MousePointer { PointerDefault = 0, PointerHourglass = 11 };

// Everything the program's handlers ask of the desktop that would stop a headless run to wait
// for a person: message boxes, the file-open dialog, forms shown modally, the clipboard and the
// mouse pointer. The window runs on the desktop one; tests and the headless driver run the very
// same handlers on a scripted one.
class UiSeam {
public:
    virtual ~UiSeam() = default;

    virtual void messageBox(const QString& text, int icon, const QString& title) = 0;

    // `filter` pairs a description with a pattern, "Text files (*.txt)|*.txt", more pairs
    // following after further "|"; the dialog starts in `folder` (the desktop's choice when
    // empty) showing the files of the description `chosenFilter` names (the first when it names
    // none), and leaves there the description shown when a file was chosen. The chosen file's
    // full path, or nothing when cancelled.
    virtual std::optional<QString> fileOpen(QWidget* owner, const QString& title,
                                            const QString& filter, const QString& folder,
                                            QString& chosenFilter) = 0;

    // Shows the form modally over its owner and returns when it has been closed or hidden,
    // with the dialog's result code.
    virtual int showModal(QDialog& form, QWidget* owner) = 0;

    virtual void clipboardClear() = 0;
    virtual void clipboardSetText(const QString& text) = 0;

    virtual void setMousePointer(int pointer) = 0;
    virtual int mousePointer() const = 0;
};

} // namespace ui
