#pragma once

#include <memory>

namespace data {
class Connection;
}

namespace test {

// A connection that runs Jet SQL over two tables of the values hardest to group by and to select
// again. "Hard" (Label, Amount, Flag, Small, Big, Price, When, Clock): nulls in every column,
// Booleans, negative amounts, texts with quotes, parentheses and a "<<NULL>>" prefix, texts that
// differ only in letter case, 0.1 + 0.2 beside 0.3, whole numbers beyond 32 bits and beyond what
// a double holds, dates before 1930 and after 2029, and times of day. "Texts" (Text, Other,
// Amount): texts holding NUL characters, quotes, brackets, line breaks and 100,000 characters.
std::shared_ptr<data::Connection> connectToHardValues();

} // namespace test
