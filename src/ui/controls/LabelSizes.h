#pragma once

#include <QHash>
#include <QPair>
#include <QSize>
#include <QStyledItemDelegate>

namespace ui {

// Draws the labels of a TreeView's nodes as usual and measures each one once. The tree sizes its
// column to its widest label (labels are shown whole, see TreeControl), and Qt works that out by
// laying out the text of every row shown whenever the tree changes: a click that adds a level under
// a thousand shown nodes measured a thousand labels, most of the click's time. A label's size
// follows from its text, its picture and the font, so sizes are kept by text and picture name, at
// most MostKept of them, and forgotten when the font or the style changes.
class LabelSizes : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    void forget() { sizes_.clear(); }

private:
    static constexpr qsizetype MostKept = 100000;
    // By the label's text and the name of its picture.
    mutable QHash<QPair<QString, QString>, QSize> sizes_;
};

} // namespace ui
