#pragma once

#include <optional>
#include <vector>

// Where a block of grid columns picked up in the header can be dropped, from the columns'
// places as the grid reports them: twips from the grid's left edge, a column scrolled out of
// view to the left at Left 0.
namespace grid {

struct ColumnExtent {
    double left = 0;
    double width = 0;
};

// The header band is the strip of the column captions: 0 < y < the row height, both strict.
bool inHeaderBand(double y, double rowHeight);

// Whether x lies over the block of columns start .. end, their outer edges included.
bool overColumns(const std::vector<ColumnExtent>& columns, int start, int end, double x);

// Which of the qualifying gaps between columns counts when the pointer is near several: the
// feedback while dragging takes the first, the drop the last.
enum class GapPick { First, Last };

// The gap the block start .. end would go into with the pointer at x on a grid `gridWidth`
// wide: 0 before the first column, i + 1 between columns i and i + 1, columns.size() after the
// last. The front gap is taken while the pointer is over the first column's left half, the end
// gap over the last column's right half, a gap between two columns from the middle of the one
// to the middle of the other (or, with one of them out of view, up to the visible one's middle).
// The gaps directly before and after the block move nothing and never qualify.
std::optional<int> dropGap(const std::vector<ColumnExtent>& columns, double gridWidth, double x,
                           int start, int end, GapPick pick);

} // namespace grid
