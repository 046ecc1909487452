#pragma once

#include <string_view>

// How Jet compares text: without regard to case, so that GROUP BY, DISTINCT, = and ORDER BY on a
// text column treat "North" and "NORTH" (and "Äpfel" and "äpfel") as one value, and the grid
// sorts its rows the same way. The engine declares its text columns with this collation (see
// JetTextCollation).
//
// Texts are equal when their case-folded characters are equal (see foldCase). They sort first by
// their letters stripped of accents, then, among texts equal that way, by the folded letters:
// a total order whose equal texts are exactly the case-insensitively equal ones, as SQLite needs
// for grouping and comparing to agree.
namespace data {

// Negative, zero or positive as UTF-8 text `a` sorts before, with or after `b`.
int compareJetText(std::string_view a, std::string_view b);

// Whether any two texts made only of these characters compare the same under JETTEXT as byte by
// byte (SQLite's BINARY collation): so when they are ASCII and folding case keeps their order,
// as for digits with "/", ":" and "Q". Grouping by such text needs no collation, which sorts
// faster.
bool collatesAsBinary(std::u16string_view characters);

} // namespace data
