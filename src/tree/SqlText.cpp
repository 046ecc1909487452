#include "tree/SqlText.h"

#include <QStringList>

namespace tree {

QString quoted(QString text) {
    text.replace('\'', "''");
    return '\'' + text + '\'';
}

QString textLiteral(const QString& text, data::Dialect dialect) {
    const QChar nul(0);
    if (!text.contains(nul))
        return quoted(text);
    const QString joint = dialect == data::Dialect::Oracle ? QStringLiteral(" || CHR(0) || ")
                                                           : QStringLiteral(" & Chr(0) & ");
    QStringList pieces;
    for (const QString& piece : text.split(nul))
        pieces << quoted(piece);
    return '(' + pieces.join(joint) + ')';
}

} // namespace tree
