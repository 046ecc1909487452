#pragma once

#include <stdexcept>

// A VB function that cannot give a value fails the query with VB's own words for the reason.
namespace data::jet::vb {

class VbError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

inline constexpr const char* TypeMismatch = "Type mismatch";
inline constexpr const char* Overflow = "Overflow";
inline constexpr const char* InvalidArgument = "Invalid procedure call or argument";
inline constexpr const char* InvalidPattern = "Invalid pattern string";

} // namespace data::jet::vb
