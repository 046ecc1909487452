#pragma once

#include "data/DateGroup.h"

#include <QString>
#include <QVariant>
#include <optional>
#include <vector>

// A level of the grouping tree as data: what its statements read and group by, handed to the
// provider beside their text. The text is what runs; the shape lets a provider that keeps
// something made for the tree (the engine's index and groups) see which level it is without
// reading the text back.
namespace data {

// A term a level groups by: a column of the record source, by its name as the source reports
// it, and for a date column its date group.
struct LevelTerm {
    QString column;
    std::optional<DateGroup> dateGroup = std::nullopt; // set for a date column only

    // Whether the term is the column's own value (not a date written to a granularity).
    bool plain() const { return !dateGroup || *dateGroup == DateGroup::None; }
    bool operator==(const LevelTerm&) const = default;
};

// One condition of a node's path: the rows whose term has this value, or, for a null value,
// those whose column is null. A date group's value is its text ("2001/03").
struct LevelCondition {
    LevelTerm term;
    QVariant value;
};

struct LevelShape {
    // Which of a level's two statements: the rows whose grouped column is null, or one row
    // per value of the grouped term.
    enum class Part { NullGroup, Groups };

    QString recordSource; // as written after FROM
    // The clicked node's conditions, from the shallowest depth written to the node.
    std::vector<LevelCondition> path;
    LevelTerm grouped;
    QString statistics; // the column whose Min, Max, Avg and Sum the rows carry; "" for none
    Part part = Part::Groups;
};

} // namespace data
