#include "ui/controls/KeyAscii.h"

#include <QKeyEvent>

namespace ui {

int keyAscii(const QKeyEvent& event) {
    switch (event.key()) {
    case Qt::Key_Escape:
        return 27;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return 13;
    case Qt::Key_Backspace:
        return 8;
    default:
        break;
    }
    const QString text = event.text();
    if (text.size() != 1 || text[0].unicode() == 0 || text[0].unicode() == 127)
        return 0;
    return text[0].unicode();
}

} // namespace ui
