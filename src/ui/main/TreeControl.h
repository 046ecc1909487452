#pragma once

#include <QTreeView>
#include <functional>

namespace ui {

// The Qt tree inside a TreeView, plain and single-selection, reporting what the tree's events
// are raised from: gaining focus, each key press before it is handled (the hook answers false
// to swallow the key) and a key press that moved the selection.
class TreeControl : public QTreeView {
public:
    explicit TreeControl(QWidget* parent = nullptr);

    std::function<void()> focused;
    std::function<bool(QKeyEvent&)> keyPressing;
    std::function<void()> selectionMovedByKey;

protected:
    void focusInEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
};

} // namespace ui
