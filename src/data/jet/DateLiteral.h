#pragma once

#include <QString>
#include <optional>

namespace data::jet {

// The text between the #s of a date literal, read the way Jet reads it (#m/d/yyyy#, #m/d/yy#
// for 1930 to 2029, #yyyy-mm-dd#, each optionally followed by hh:nn or hh:nn:ss), as the engine
// stores dates: 'YYYY-MM-DD HH:MM:SS'. Nothing for text that is not a valid date.
std::optional<QString> dateLiteralValue(const QString& body);

} // namespace data::jet
