#pragma once

#include <QByteArray>
#include <QString>
#include <functional>
#include <memory>

namespace data {
class Connection;
}

// What the fuzz driver feeds its inputs to: the program's own paths from a file or a statement
// to every value it holds, as the window takes them. A failure the program reports (data::Error)
// is an answer, not a finding; a finding is what stops the process: a sanitizer's report, a
// crash, or the time limit.
namespace fuzz {

// Takes one input, a file's bytes or a statement's text; answers whether the program read it
// (false: it reported a failure, as it should for most damaged inputs).
using Target = std::function<bool(const QByteArray& input)>;

// Writes each input to `scratch` and opens it as an Access database (or workbook): the list of
// tables and views, then every row and value of each, through the engine.
Target accessTarget(const QString& scratch);
Target workbookTarget(const QString& scratch);

// Runs each input as a Jet SQL statement on `database` (an Access file), reading every row.
Target jetTarget(const QString& database);

} // namespace fuzz
