#pragma once

#include "state/Module1.h"
#include "tree/TreeNode.h"
#include "ui/seam/ScriptedUiSeam.h"
#include "ui/session/MainSession.h"

#include <QString>
#include <memory>
#include <optional>
#include <vector>

class frmMain;

namespace drill {

struct CopyRequest;
struct Options;

using Message = ui::ScriptedUiSeam::Message;

// The program's main window, made as the program's start makes it but on the scripted seam, and
// worked through the entry points a person uses: menu commands, the file dialog, the login and
// picker forms, clicks on tree nodes. Every message box the window shows is kept for the caller.
class DrillWindow {
public:
    DrillWindow();
    ~DrillWindow();
    DrillWindow(const DrillWindow&) = delete;
    DrillWindow& operator=(const DrillWindow&) = delete;

    // Chooses the Date Grouping item and Auto Query Details, connects to the source and picks
    // the table. Nothing when the table is open; otherwise why not: the message the program
    // showed, or that the picker offers no such table.
    std::optional<QString> open(const Options& options);

    // A click on the node, as a person clicks it: the first click builds the level below it.
    void click(const tree::NodePtr& node);
    // Selects the node as a click does, without building a level below it, and runs Update
    // Details.
    void updateDetails(const tree::NodePtr& node, int depth);

    // Edit > Copy with the pane focused as a click into it focuses it, the grid's columns
    // selected first; the clipboard's text afterwards.
    QString copy(const CopyRequest& request);

    // The message boxes shown since the last call.
    std::vector<Message> takeMessages();

    frmMain& form() { return session_.window(); }
    Module1& state() { return session_.state(); }
    tree::NodePtr root();

private:
    ui::ScriptedUiSeam seam_;
    ui::MainSession session_{seam_};
    size_t messagesTaken_ = 0;
};

// The texts of the node and its ancestors from the root down, joined by " / ".
QString nodePath(const tree::NodePtr& node);

// A message box as the drill reports it: message box "Title": text.
QString messageText(const Message& message);

} // namespace drill
