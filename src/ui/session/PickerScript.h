#pragma once

#include "tree/TreeNode.h"
#include "ui/seam/ScriptedUiSeam.h"

#include <QString>
#include <QStringList>
#include <memory>

class frmOpenSource;

// Plays the person at the record source picker, whose tree lists the tables under their types,
// and at the login form: for the headless driver, the tests and the benchmark.
namespace ui::script {

// Selects the first node with this text; null when there is none.
tree::NodePtr selectNode(frmOpenSource& picker, const QString& text);

// The tables listed, each as "type/table", in the tree's order.
QStringList listedTables(frmOpenSource& picker);

// What the picker showed: whether it offered the table, and the tables it listed.
struct Pick {
    bool found = false;
    QStringList listed; // "type/table", in the tree's order
    QStringList tables; // the tables' names alone, in the order the picker added them
};

// Picks the table of that name with OK, or presses Cancel when the picker does not list it; what
// the picker showed goes to `pick` when it is given.
ScriptedUiSeam::FormScript pickTable(const QString& table, std::shared_ptr<Pick> pick = nullptr);

// Has the picker, when it next opens, pick the table or sheet of that name.
void queuePick(ScriptedUiSeam& seam, const QString& table);

// Types user, password and database into the login form and presses OK.
ScriptedUiSeam::FormScript login(const QString& user, const QString& password,
                                 const QString& database);

} // namespace ui::script
