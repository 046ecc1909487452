#include "drill/LabelCount.h"

namespace drill {

std::optional<qlonglong> labelCount(const QString& label, const QLocale& locale) {
    if (!label.endsWith(QLatin1Char(')')))
        return std::nullopt;
    // The value may hold " (" itself, and a statistic may be written between parentheses, so
    // the count is found from the statistics backwards rather than from the label's start.
    qsizetype end = label.lastIndexOf(QLatin1String("; Min: "));
    if (end < 0)
        end = label.size() - 1;
    const qsizetype open = label.lastIndexOf(QLatin1String(" ("), end);
    if (open < 0)
        return std::nullopt;
    const QString text = label.mid(open + 2, end - open - 2);
    bool ok = false;
    const qlonglong count = locale.toLongLong(text, &ok);
    if (!ok || count < 0)
        return std::nullopt;
    return count;
}

} // namespace drill
