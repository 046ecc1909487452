#include "ui/main/MainLayout.h"

namespace ui::layout {

double clampSplit(double x, double formWidth) {
    if (x < SmallestPane)
        x = SmallestPane;
    if (x > formWidth - SmallestPane)
        x = formWidth - SmallestPane;
    return x;
}

Panes sizeControls(double x, const Frame& frame) {
    Panes p;
    p.split = clampSplit(x, frame.formWidth);
    p.gridLeft = p.split + PaneGap;
    p.gridWidth = frame.formWidth - (p.split + GridAllowance);
    p.treeTitleWidth = p.split;
    p.gridTitleLeft = p.gridLeft + TitleIndent;
    p.gridTitleWidth = p.gridWidth - PaneGap;
    p.paneTop = frame.titlesHeight + frame.toolbarHeight;
    p.paneHeight = frame.clientHeight - (frame.titlesTop + frame.titlesHeight + frame.statusHeight);
    return p;
}

double dragBarLeft(double splitterLeft, double pointerX, double formWidth) {
    const double p = splitterLeft + pointerX;
    if (p < DragMargin)
        return DragMargin;
    if (p > formWidth - DragMargin)
        return formWidth - DragMargin;
    return p;
}

} // namespace ui::layout
