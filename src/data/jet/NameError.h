#pragma once

#include "data/Error.h"

#include <QString>

// A statement names what is not there: a table or saved query, a column, a function. The
// description is Jet's; a saved query that fails so says which name it misses (see Engine).
namespace data::jet {

class NameError : public Error {
public:
    enum class Kind { Table, Column, Function };

    NameError(Kind kind, const QString& name, const QString& description)
        : Error(description), kind_(kind), name_(name) {}

    Kind kind() const { return kind_; }
    // As the statement writes it: "Order Totals", "[Forms]![Orders]![OrderID]", "Foo".
    const QString& name() const { return name_; }

private:
    Kind kind_;
    QString name_;
};

} // namespace data::jet
