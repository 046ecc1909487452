#include "data/jet/ViewMessages.h"

namespace data::jet::messages {

namespace {
QString quoted(const QString& name) {
    return u'"' + name + u'"';
}
} // namespace

QString queryKindNotSupported(const QString& query, const QString& kind) {
    return QStringLiteral("The query %1 is %2, which is not supported.").arg(quoted(query), kind);
}

QString queryParametersNotSupported(const QString& query) {
    return QStringLiteral("The query %1 asks for parameters, which are not supported.")
        .arg(quoted(query));
}

QString queryParameterNotSupported(const QString& query, const QString& parameter) {
    return QStringLiteral("The query %1 asks for the parameter %2, which is not supported.")
        .arg(quoted(query), parameter);
}

QString queryFunctionNotSupported(const QString& query, const QString& function) {
    return QStringLiteral("The query %1 uses the function %2, which is not supported.")
        .arg(quoted(query), function);
}

QString queryReadsMissing(const QString& query, const QString& missing) {
    return QStringLiteral("The query %1 reads %2, which is neither a table nor a query of the "
                          "database.")
        .arg(quoted(query), quoted(missing));
}

QString queryNotSupported(const QString& query, const QString& what) {
    return QStringLiteral("The query %1 %2, which is not supported.").arg(quoted(query), what);
}

QString queryLoops(const QStringList& loop) {
    if (loop.size() <= 2)
        return QStringLiteral("The query %1 reads itself, which is not supported.")
            .arg(quoted(loop.value(0)));
    QString chain = quoted(loop[0]) + QStringLiteral(" reads ") + quoted(loop[1]);
    for (qsizetype i = 2; i < loop.size(); ++i)
        chain += QStringLiteral(", which reads ") + quoted(loop[i]);
    return QStringLiteral("The query %1 reads itself in a loop (%2), which is not supported.")
        .arg(quoted(loop[0]), chain);
}

QString queryNestedTooDeep(const QString& query, int most) {
    return QStringLiteral("The query %1 reads queries nested more than %2 deep, which is not "
                          "supported.")
        .arg(quoted(query))
        .arg(most);
}

QString queryReadsFailingQuery(const QString& query, const QString& failing, const QString& cause) {
    return QStringLiteral("The query %1 reads the query %2, which cannot be opened. %3")
        .arg(quoted(query), quoted(failing), cause);
}

QString queryCannotBeOpened(const QString& query, const QString& description) {
    return QStringLiteral("The query %1 cannot be opened: %2").arg(quoted(query), description);
}

} // namespace data::jet::messages
