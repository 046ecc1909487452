#pragma once

class QHeaderView;
class QWidget;

namespace ui {

// The grid's columns as the program measures them: how many, and where each one lies, in twips
// from the grid's left edge. A column scrolled out of view to the left has Left 0.
class GridColumns {
public:
    GridColumns(const QHeaderView* header, const QWidget* grid) : header_(header), grid_(grid) {}

    int Count() const;
    double Left(int column) const;
    double Width(int column) const;

private:
    const QHeaderView* header_;
    const QWidget* grid_;
};

} // namespace ui
