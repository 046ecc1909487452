#pragma once

#include "Stopwatch.h"
#include "tree/TreeNode.h"
#include "ui/seam/ScriptedUiSeam.h"
#include "ui/session/MainSession.h"

#include <QString>
#include <memory>

class frmMain;

namespace data {
class Connection;
}

// The real main window, offscreen, over an open connection: the table is picked through the
// record source picker as a person picks it, with Auto Query Details on, and nodes are clicked
// as a person clicks them.
namespace bench {

class WindowDrill {
public:
    // The window shown, Auto Query Details on, and the table picked; then the window is left to
    // settle (which lets it make the tree's index). Fails with data::Error when the pick shows a
    // message.
    WindowDrill(std::shared_ptr<data::Connection> connection, const QString& provider,
                const QString& table);
    // The window shown with Auto Query Details on, no source open yet.
    WindowDrill();
    ~WindowDrill();

    // Picks the table over the connection through the record source picker, as a connect
    // command leaves it, and paints the window (see paint). Fails with data::Error when the pick
    // shows a message.
    void pick(std::shared_ptr<data::Connection> connection, const QString& provider,
              const QString& table);

    tree::NodePtr root() const;
    // What follows an action before it is timed as done: settle, or paint alone.
    enum class Then { Settle, Paint };
    // Clicks the node (building its level when it has none yet) and waits until the grid shows
    // the first screen of its rows.
    Timing click(const tree::NodePtr& node, Then then = Then::Settle);
    // The child with the most rows other than the null group and `except`, after clicking
    // `node` to build its level (followed by `then`).
    tree::NodePtr largestChild(const tree::NodePtr& node, const tree::NodePtr& except = nullptr,
                               Then then = Then::Settle);
    // The row count a node's label gives.
    static qint64 countOf(const tree::NodePtr& node);
    // Rows the grid has now.
    int gridRows() const;
    // A key pressed in the grid's view, and the window painted; the last row the view shows.
    void gridKey(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
    int lastGridRowShown() const;
    // Scrolls the grid's view from its first row to its last, a page of the reading
    // (PagedRecordset::PageRows) at a time, painting each screen; how many screens it showed.
    int scrollGridThrough();
    // Edit > Copy of the grid's columns first to last at the selected node, with the grid given
    // the focus as a click into it gives it; the text copied.
    const QString& copyGrid(int first, int last);
    // Lets go of the copied text, as another program taking over the clipboard would.
    void emptyClipboard() { seam_.clipboard = QString(); }

    frmMain& form() { return form_; }
    Module1& state() { return state_; }
    // Lets the window lay out and paint what it was given, as it does between a person's
    // actions.
    void settle() const;
    // Lays out what the window was given and paints the tree and the grid without running the
    // window's timers: what a person sees the moment a command is done, before the window turns
    // to its idle work (the tree's index, which a zero-delay timer starts).
    void paint() const;

private:
    ui::ScriptedUiSeam seam_;
    ui::MainSession session_{seam_};
    Module1& state_ = session_.state();
    frmMain& form_ = session_.window();
};

} // namespace bench
