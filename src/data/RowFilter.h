#pragma once

#include <QString>
#include <QVariant>
#include <functional>
#include <vector>

namespace data {

// A recordset's Filter criteria: comparisons "Field op value" joined by AND and OR (AND binds
// tighter), op one of = <> < > <= >= LIKE. Values are numbers, '...' strings with '' for a
// quote, or #...# strings (which may hold quotes). Text compares case-sensitively; LIKE takes
// * or % as the wildcard.
class RowFilter {
public:
    // `fieldIndex` turns a field name into its position, -1 when unknown.
    static RowFilter parse(const QString& criteria,
                           const std::function<int(const QString&)>& fieldIndex);

    bool matches(const std::vector<QVariant>& row) const;

private:
    struct Comparison {
        int field = -1;
        QString op;
        QVariant value;
    };
    // Disjunction of conjunctions.
    std::vector<std::vector<Comparison>> terms_;

    static bool test(const Comparison& c, const QVariant& v);
};

} // namespace data
