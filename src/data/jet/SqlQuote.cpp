#include "data/jet/SqlQuote.h"

#include <QStringList>

namespace data::jet {

namespace {
QString quoted(const QString& text, QChar quote) {
    QString doubled = text;
    doubled.replace(quote, QString(2, quote));
    return quote + doubled + quote;
}
} // namespace

QString quoteIdentifier(const QString& name) {
    return quoted(name, u'"');
}

QString quoteString(const QString& text) {
    const QChar nul(0);
    if (!text.contains(nul))
        return quoted(text, u'\'');
    // SQLite's reader ends a statement at a NUL even inside a literal, so the NULs are joined
    // in as char(0).
    QStringList pieces;
    for (const QString& piece : text.split(nul))
        pieces << quoted(piece, u'\'');
    return '(' + pieces.join(QStringLiteral(" || char(0) || ")) + ')';
}

} // namespace data::jet
