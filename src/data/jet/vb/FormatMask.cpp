#include "data/jet/vb/FormatMask.h"

#include <array>
#include <utility>

namespace data::jet::vb {

namespace {

// Named formats and the masks they stand for; "General Number" leaves a number as its text.
QString expandNamedFormat(const QString& mask) {
    static const std::array<std::pair<QLatin1String, QLatin1String>, 10> Named{{
        {QLatin1String("General Date"), QLatin1String("c")},
        {QLatin1String("Long Date"), QLatin1String("dddddd")},
        {QLatin1String("Medium Date"), QLatin1String("dd-mmm-yy")},
        {QLatin1String("Short Date"), QLatin1String("ddddd")},
        {QLatin1String("Long Time"), QLatin1String("ttttt")},
        {QLatin1String("Medium Time"), QLatin1String("hh:nn AM/PM")},
        {QLatin1String("Short Time"), QLatin1String("hh:nn")},
        {QLatin1String("Fixed"), QLatin1String("0.00")},
        {QLatin1String("Standard"), QLatin1String("#,##0.00")},
        {QLatin1String("Percent"), QLatin1String("0.00%")},
    }};
    for (const auto& [name, expansion] : Named) {
        if (mask.compare(name, Qt::CaseInsensitive) == 0)
            return expansion;
    }
    return mask;
}

bool hasDigitPlaceholder(QStringView mask) {
    bool quoted = false;
    for (qsizetype i = 0; i < mask.size(); ++i) {
        const QChar c = mask[i];
        if (c == u'\\' && !quoted)
            ++i;
        else if (c == u'"')
            quoted = !quoted;
        else if (!quoted && (c == u'0' || c == u'#'))
            return true;
    }
    return false;
}

} // namespace

FormatMask::FormatMask(const QString& mask) {
    const QString expanded = expandNamedFormat(mask);
    if (hasDigitPlaceholder(expanded)) {
        mask_.emplace<NumberMask>(expanded);
        return;
    }
    DateMask dates(expanded);
    if (dates.showsDate())
        mask_ = std::move(dates);
}

} // namespace data::jet::vb
