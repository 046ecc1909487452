#pragma once

#include <cstddef>
#include <string_view>

// Case-insensitive treatment of text for Jet's text comparisons: the collation that groups and
// sorts text columns and the Like operator both work on characters folded this way.
namespace data {

// The character of UTF-8 `text` at `at`, moving `at` past it. A byte that does not begin a
// well-formed character comes back alone as U+DC80 plus its value, so that different byte
// strings never read as the same characters.
char32_t nextCodePoint(std::string_view text, std::size_t& at);

// Simple Unicode case folding, one character for one: 'Ä' folds to 'ä', 'ẞ' to 'ß', but 'ß' does
// not become "ss", so "straße" and "STRASSE" stay different words.
char32_t foldCase(char32_t c);

// A folded letter stripped of its accents ('ä' gives 'a', 'ß' gives 's'): the first key by which
// text sorts, so that "Äpfel" comes between "Apfel" and "Birne".
char32_t baseLetter(char32_t folded);

} // namespace data
