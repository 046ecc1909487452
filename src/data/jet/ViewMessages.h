#pragma once

#include <QString>
#include <QStringList>

// Why a saved query (a view) cannot be opened, in one description that names the query and what
// the engine does not support; the same words for every file that has saved queries.
namespace data::jet::messages {

// `kind` with its article: "a crosstab query", "an update query".
QString queryKindNotSupported(const QString& query, const QString& kind);
QString queryParametersNotSupported(const QString& query);
// A name the query's tables do not hold, which Jet would ask for as a parameter.
QString queryParameterNotSupported(const QString& query, const QString& parameter);
QString queryFunctionNotSupported(const QString& query, const QString& function);
QString queryReadsMissing(const QString& query, const QString& missing);
// Anything else the engine does not take: `what` says it ("reads a table of another database").
QString queryNotSupported(const QString& query, const QString& what);
// `loop` from the query opened first back to it: "A", "B", "A".
QString queryLoops(const QStringList& loop);
QString queryNestedTooDeep(const QString& query, int most);
QString queryReadsFailingQuery(const QString& query, const QString& failing, const QString& cause);
QString queryCannotBeOpened(const QString& query, const QString& description);

} // namespace data::jet::messages
