#include "Report.h"

#include <cstdio>

namespace bench {

QString milliseconds(double seconds) {
    return QString::number(seconds * 1000, 'f', seconds < 0.1 ? 2 : 1);
}

QString ratio(double numerator, double denominator) {
    return denominator > 0 ? QString::number(numerator / denominator, 'f', 2) + u'x'
                           : QStringLiteral("-");
}

void printLine(const QString& text) {
    std::printf("%s\n", text.toUtf8().constData());
    std::fflush(stdout);
}

void printHeading(const QString& text) {
    printLine();
    printLine(QStringLiteral("## ") + text);
    printLine();
}

void printTableRow(const QStringList& cells) {
    printLine(QStringLiteral("| ") + cells.join(QStringLiteral(" | ")) + QStringLiteral(" |"));
}

void printTableHead(const QStringList& columns) {
    printTableRow(columns);
    QStringList rules;
    for (qsizetype i = 0; i < columns.size(); ++i)
        rules << QStringLiteral("---");
    printTableRow(rules);
}

} // namespace bench
