#pragma once

#include "ui/seam/UiSeam.h"

namespace ui {

// The seam on the real desktop: Qt's message boxes, file dialog, modal loop, clipboard and
// override cursor.
class QtUiSeam : public UiSeam {
public:
    void messageBox(const QString& text, int icon, const QString& title) override;
    std::optional<QString> fileOpen(QWidget* owner, const QString& title, const QString& filter,
                                    const QString& folder, QString& chosenFilter) override;
    int showModal(QDialog& form, QWidget* owner) override;
    void clipboardClear() override;
    void clipboardSetText(const QString& text) override;
    void setMousePointer(int pointer) override;
    int mousePointer() const override { return pointer_; }

    // The window a message box is shown over, centred: the modal form open, else the active
    // window, else the program's main window, which a desktop may leave inactive (at the start,
    // or without a window manager).
    static QWidget* messageOwner();

    // "Desc (*.a)|*.a|Other|*.b" as Qt's file dialog writes its name filters, one a description.
    static QStringList qtNameFilters(const QString& filter);

private:
    int pointer_ = PointerDefault;
};

} // namespace ui
