#pragma once

#include "data/jet/TableSource.h"

#include <QString>
#include <QStringList>
#include <memory>

namespace data {
class Connection;
}

// A table of the values that are hardest to group by and to select again: nulls in every
// column, Booleans, negative amounts, texts with quotes, parentheses and a "<<NULL>>" prefix,
// texts that differ only in letter case, 0.1 + 0.2 beside 0.3, whole numbers beyond 32 bits
// and beyond what a double holds, dates before 1930 and after 2029, and times of day.
namespace test {

// The table "Hard": Label, Amount, Flag, Small, Big, Price, When, Clock; the table "Texts":
// Text, Other, Amount, with texts holding NUL characters, quotes, brackets, line breaks and
// 100,000 characters.
class HardValues : public data::jet::TableSource {
public:
    QStringList tableNames() override;
    std::optional<data::jet::SourceTable> describe(const QString& name) override;
    void load(const QString& name, data::jet::RowSink& sink) override;
};

// A connection that runs Jet SQL over the tables.
std::shared_ptr<data::Connection> connectToHardValues();

} // namespace test
