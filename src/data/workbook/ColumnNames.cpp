#include "data/workbook/ColumnNames.h"

#include <QSet>

namespace data::workbook {

QStringList columnNames(const QStringList& headers) {
    QStringList names;
    QSet<QString> taken;
    for (qsizetype i = 0; i < headers.size(); ++i) {
        const QString& header = headers[i];
        names.append(header.trimmed().isEmpty() ? QStringLiteral("F%1").arg(i + 1) : header);
        taken.insert(names.last().toCaseFolded());
    }
    QSet<QString> used;
    for (QString& name : names) {
        if (used.contains(name.toCaseFolded())) {
            const QString base = name;
            for (int n = 1; taken.contains(name.toCaseFolded()); ++n)
                name = base + QString::number(n);
            taken.insert(name.toCaseFolded());
        }
        used.insert(name.toCaseFolded());
    }
    return names;
}

} // namespace data::workbook
