#pragma once

#include <QLocale>
#include <QString>
#include <optional>

namespace drill {

// The row count a node's label shows: labels read value + " (" + count + ")", or
// value + " (" + count + "; Min: ...; Max: ...; Avg: ...; Sum: ...)" when the next column is
// numeric. The count is written with the locale's digit grouping. Nothing when the label has no
// count where one belongs.
std::optional<qlonglong> labelCount(const QString& label, const QLocale& locale = QLocale());

} // namespace drill
