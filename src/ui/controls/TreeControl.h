#pragma once

#include <QTreeView>
#include <functional>

namespace ui {

// The Qt tree inside a TreeView, plain and single-selection, reporting what the tree's events
// are raised from: gaining focus, each key press before it is handled (the hook answers false
// to swallow the key) and a key press that moved the selection. Only the left button selects:
// the tree has no menu of its own, so another button focuses it and leaves the selection, and
// with it the rows the grid shows, as they are.
class LabelSizes;

class TreeControl : public QTreeView {
public:
    explicit TreeControl(QWidget* parent = nullptr);

    std::function<void()> focused;
    std::function<bool(QKeyEvent&)> keyPressing;
    std::function<void()> selectionMovedByKey;

protected:
    void changeEvent(QEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    LabelSizes* labels_;
};

} // namespace ui
