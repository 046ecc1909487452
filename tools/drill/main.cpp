// quarrymere-drill: runs the program's main window without a display, connects to a source,
// picks a table, clicks the grouping tree open down to a depth, moves grid columns, selects a node
// and prints the tree; it can then run Edit > Copy on the tree or the grid and write what it
// copied to a file; with --check it also verifies every node's counts against the data source
// and the detail grid.
#include "app/ProcessStart.h"
#include "drill/ColumnMoves.h"
#include "drill/DrillWindow.h"
#include "drill/NodeCheck.h"
#include "drill/Options.h"
#include "drill/TreeWalk.h"

#include <QApplication>
#include <QFile>
#include <QLocale>
#include <QTextStream>
#include <algorithm>

namespace {

// Exit statuses.
constexpr int Passed = 0, Violated = 1, CannotRun = 2;

// The offscreen platform says, for every window shown, that it passes no size hints on; the
// drill's window needs none, and its standard error is for what the window itself says.
QtMessageHandler platformMessages = nullptr;
void quietSizeHints(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (!text.contains(QLatin1String("propagateSizeHints")))
        platformMessages(type, context, text);
}

} // namespace

int main(int argc, char** argv) {
    platformMessages = qInstallMessageHandler(quietSizeHints);
    // The window reads its settings on load; a private store keeps the user's own out of the
    // run, so that only the options decide what the window does.
    app::ProcessStart start(argc, argv, app::ProcessStart::Platform::Offscreen,
                            app::ProcessStart::SettingsStore::Private);
    QCoreApplication& app = start.application();
    QApplication::setApplicationName("Quarrymere");

    QTextStream out(stdout);
    QTextStream err(stderr);
    const drill::ParsedArguments parsed = drill::parseArguments(app.arguments().mid(1));
    if (parsed.help) {
        out << drill::usage();
        return Passed;
    }
    if (!parsed.error.isEmpty()) {
        err << "quarrymere-drill: " << parsed.error << '\n' << drill::usage();
        return CannotRun;
    }
    const drill::Options& options = parsed.options;
    if (!options.locale.isEmpty())
        QLocale::setDefault(QLocale(options.locale));

    drill::DrillWindow window;
    if (const auto failure = window.open(options)) {
        err << *failure << '\n';
        return CannotRun;
    }
    // No level is built below the last column, so --all stops there.
    const int columns = window.state().Grouping.FieldCount;
    if (options.copy.pane == drill::CopyRequest::Pane::Grid && options.copy.last >= columns) {
        err << "--copy grid:" << options.copy.first << '-' << options.copy.last
            << " goes beyond the grid's columns 0 to " << columns - 1 << '\n';
        return CannotRun;
    }
    const int depth = options.all ? columns : std::min(options.depth, columns);
    std::vector<drill::ClickMessage> clicks = drill::expandTree(window, depth);
    // Each move is followed by the same clicks again: the levels the move kept are clicked
    // through as they stand, those it took away are built anew in the new order.
    for (const drill::ColumnMove& move : options.moves) {
        if (const auto failure = drill::dragColumns(window.form(), move)) {
            err << "--move " << move.start << '-' << move.end << ':' << move.gap << ": " << *failure
                << '\n';
            return CannotRun;
        }
        for (drill::Message& message : window.takeMessages())
            clicks.push_back({nullptr, "--move", std::move(message)});
        for (drill::ClickMessage& click : drill::expandTree(window, depth))
            clicks.push_back(std::move(click));
    }
    if (!options.moves.empty())
        out << "columns: " << drill::gridColumnNames(window.form()) << '\n';
    if (options.select) {
        const tree::NodePtr node = drill::findNode(window.root(), *options.select);
        if (!node) {
            err << "The tree has no node \"" << *options.select << "\".\n";
            return CannotRun;
        }
        window.click(node);
        for (drill::Message& message : window.takeMessages())
            clicks.push_back({node, drill::nodePath(node), std::move(message)});
    }
    drill::writeTree(out, window.root());
    out.flush();
    for (const drill::ClickMessage& click : clicks)
        err << click.path << ": " << drill::messageText(click.message) << '\n';

    // The copy comes before the check, whose Update Details on every node moves the selection.
    bool copyFailed = false;
    if (options.copy.pane != drill::CopyRequest::Pane::None) {
        const QString text = window.copy(options.copy);
        for (const drill::Message& message : window.takeMessages()) {
            err << "Edit > Copy: " << drill::messageText(message) << '\n';
            copyFailed = true;
        }
        QFile file(options.copyTo);
        if (!options.copyTo.isEmpty() &&
            (!file.open(QIODevice::WriteOnly) || file.write(text.toUtf8()) < 0)) {
            err << "Cannot write " << options.copyTo << ": " << file.errorString() << '\n';
            return CannotRun;
        }
    }
    err.flush();
    if (!options.check)
        return clicks.empty() && !copyFailed ? Passed : Violated;

    const drill::CheckReport report = drill::checkTree(window, depth, clicks);
    for (const drill::Violation& violation : report.violations)
        out << violation.path << ": " << violation.what << '\n';
    out << "checked " << report.nodes << " nodes: " << report.violations.size() << " violations\n";
    return report.violations.empty() && !copyFailed ? Passed : Violated;
}
