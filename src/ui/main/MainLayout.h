#pragma once

// The layout rule of the main window: the tree pane on the left, the grid pane on the right,
// the title strip above them and the split bar between them. All values are twips.
namespace ui::layout {

constexpr double SmallestWindowWidth = 3000; // the window never gets narrower
constexpr double SmallestPane = 1500;        // neither side of the split gets narrower
constexpr double DragMargin = 500;           // the dragged bar stops this far from the edges
constexpr double PaneGap = 40;               // between tree and grid; off the grid title too
constexpr double GridAllowance = 140;        // off the window width, with the tree's width
constexpr double TitleIndent = 20;           // grid title from the grid's left edge
constexpr double SplitterWidth = 150;
constexpr double SplitterDesignLeft = 1965; // where the split starts when none was kept
constexpr double TitleStripHeight = 300;

// What the rule reads of the window.
struct Frame {
    double formWidth = 0;     // outer width of the window
    double clientHeight = 0;  // height of the inner area below the menu bar
    double titlesTop = 0;     // top of the title strip
    double titlesHeight = 0;  // height of the title strip
    double toolbarHeight = 0; // 0 while the toolbar is hidden
    double statusHeight = 0;  // 0 while the status bar is hidden
};

// Where the rule puts the panes.
struct Panes {
    double split = 0; // the split position after clamping: the tree's width, the bar's left
    double gridLeft = 0, gridWidth = 0;
    double treeTitleWidth = 0;
    double gridTitleLeft = 0, gridTitleWidth = 0;
    double paneTop = 0, paneHeight = 0; // tree, grid and bar alike
};

// X clamped to 1500 .. formWidth - 1500 (the upper bound wins in a window narrower than 3000).
double clampSplit(double x, double formWidth);

Panes sizeControls(double x, const Frame& frame);

// Where the grey bar goes while the split bar is dragged: the bar's start plus the pointer's
// offset, kept 500 twips from either edge of the window.
double dragBarLeft(double splitterLeft, double pointerX, double formWidth);

} // namespace ui::layout
