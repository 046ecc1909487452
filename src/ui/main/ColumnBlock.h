#pragma once

namespace ui {

// The block of adjacent columns the grid highlights, held by its two ends as the program reads
// and sets them. Either both ends are -1 (no column selected) or both name a column; the ends
// may be given in either order.
class ColumnBlock {
public:
    int start() const { return start_; }
    int end() const { return end_; }
    bool isEmpty() const { return start_ < 0; }
    bool contains(int column) const;

    // Moving one end leaves the other where it is; when no block exists yet the other end
    // follows, so the block is that single column. A negative end clears the block.
    void setStart(int column);
    void setEnd(int column);

    // The block swept from `from` to `to`, stored lowest column first.
    void span(int from, int to);
    void clear();

private:
    int start_ = -1;
    int end_ = -1;
};

} // namespace ui
