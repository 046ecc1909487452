#pragma once

#include <QString>
#include <QStringList>

// The figures as Markdown tables on standard output, ready to go into bench/README.md.
namespace bench {

// The goal: a translated statement takes at most this many times as long as the native one.
constexpr double RatioGoal = 1.25;

QString milliseconds(double seconds);
QString ratio(double numerator, double denominator);

void printHeading(const QString& text);
void printTableHead(const QStringList& columns);
void printTableRow(const QStringList& cells);
void printLine(const QString& text = {});

} // namespace bench
