#pragma once

#include "data/jet/Token.h"

#include <vector>

namespace data::jet {

// Cuts a Jet statement into tokens. Never fails: text that is not a token becomes an Invalid
// token (an unclosed string, date or bracket runs to the end of the statement), so that the
// parser can report it along with the clause or expression it sits in. The last token is End.
std::vector<Token> tokenize(const QString& sql);

} // namespace data::jet
