#include "data/DateGroup.h"

namespace data {

namespace {

struct Granularity {
    DateGroup group;
    const char* keyword;
    const char* jetMask;
};

const Granularity Granularities[] = {
    {DateGroup::None, "None", ""},
    {DateGroup::Second, "Second", R"(yyyy\/mm\/dd hh:nn:ss)"},
    {DateGroup::Minute, "Minute", R"(yyyy\/mm\/dd hh:nn)"},
    {DateGroup::Hour, "Hour", R"(yyyy\/mm\/dd hh)"},
    {DateGroup::Day, "Day", R"(yyyy\/y)"},
    {DateGroup::Week, "Week", R"(yyyy\/ww)"},
    {DateGroup::Month, "Month", R"(yyyy\/mm)"},
    {DateGroup::Quarter, "Quarter", R"(yyyy\/\Qq)"},
    {DateGroup::Year, "Year", "YYYY"},
};

const Granularity& of(DateGroup group) {
    return Granularities[int(group)];
}

} // namespace

QString dateGroupKeyword(DateGroup group) {
    return QLatin1String(of(group).keyword);
}

std::optional<DateGroup> dateGroupNamed(const QString& keyword) {
    for (const Granularity& g : Granularities)
        if (keyword == QLatin1String(g.keyword))
            return g.group;
    return std::nullopt;
}

QString jetDateMask(DateGroup group) {
    return QLatin1String(of(group).jetMask);
}

} // namespace data
