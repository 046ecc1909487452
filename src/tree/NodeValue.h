#pragma once

#include <QString>
#include <QVariant>

namespace tree {

// What a node below the root stands for: the rows whose grouping column is null, or those whose
// grouping expression has one value. The value is kept as the database returned it, so that
// conditions are written from it rather than read back from the label.
struct NodeValue {
    QVariant value;    // null for the null group
    int fieldType = 0; // the type code of the grouped result's value field
    QString label;

    bool isNull() const { return value.isNull(); }
};

} // namespace tree
