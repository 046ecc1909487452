#pragma once

#include <QString>
#include <array>
#include <optional>

// How a level on a date column groups its dates: by the date itself (None) or by the date
// written to a granularity.
namespace data {

enum class DateGroup { None, Second, Minute, Hour, Day, Week, Month, Quarter, Year };

// The granularities in the order the Date Grouping menu offers them.
inline constexpr std::array<DateGroup, 9> DateGroups = {
    DateGroup::None, DateGroup::Second, DateGroup::Minute,  DateGroup::Hour, DateGroup::Day,
    DateGroup::Week, DateGroup::Month,  DateGroup::Quarter, DateGroup::Year};

// The granularity's keyword as the menu, the settings and the tools write it ("Month").
QString dateGroupKeyword(DateGroup group);
// The granularity a keyword names, compared exactly; none for any other text.
std::optional<DateGroup> dateGroupNamed(const QString& keyword);

// The Format mask of Jet's dialect that writes a date to the granularity ("yyyy\/mm"); "" for
// None, which groups by the date itself.
QString jetDateMask(DateGroup group);

} // namespace data
