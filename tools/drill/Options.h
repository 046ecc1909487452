#pragma once

#include "data/DateGroup.h"

#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

// What quarrymere-drill is asked to do, read from its command line.
namespace drill {

enum class SourceKind { None, Access, Excel, Oracle };

// A block of grid columns, start .. end (grid positions from 0), to be dropped into a gap: 0
// before the first column, i + 1 between columns i and i + 1.
struct ColumnMove {
    int start = 0;
    int end = 0;
    int gap = 0;
};

// What --copy copies with Edit > Copy: the tree, or the grid's columns first to last (grid
// positions from 0).
struct CopyRequest {
    enum class Pane { None, Tree, Grid };
    Pane pane = Pane::None;
    int first = 0;
    int last = 0;
};

struct Options {
    SourceKind source = SourceKind::None;
    QString file;     // --access, --excel
    QString database; // --oracle: the data source name typed at login
    QString user;
    QString password;
    QString table;                                     // as the picker shows it
    data::DateGroup dateGroup = data::DateGroup::Year; // as the Date Grouping menu picks it
    bool autoQuery = false;
    int depth = 0;    // the tree is expanded down to this depth
    bool all = false; // down to the last column instead
    QString locale;   // empty: the system's
    bool check = false;
    std::vector<ColumnMove> moves; // --move, in the order given
    // The node's values below the root joined by " / " (empty for the root); nothing: no click.
    std::optional<QString> select;
    CopyRequest copy;
    QString copyTo; // the file the clipboard's text is written to
};

struct ParsedArguments {
    Options options;
    bool help = false;
    QString error; // empty when the arguments are good
};

// Reads the arguments after the program's name. Every option takes its value from the next
// argument; an option given twice (but --move, which may be repeated), a missing value or a
// missing source or table is an error.
ParsedArguments parseArguments(const QStringList& arguments);

// The usage lines shown by --help and after a bad argument.
QString usage();

} // namespace drill
