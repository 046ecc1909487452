#pragma once

#include <string_view>
#include <utility>
#include <vector>

// A pattern of Jet's Like operator, read once per query and matched against many texts, without
// regard to case: * any run of characters, ? one character, # one digit, [abc] one of the
// characters, [!abc] any other one, [a-z] one in the range. Inside brackets * ? and # stand for
// themselves, as does a '-' first or last. An unclosed bracket fails with "Invalid pattern string".
namespace data::jet::vb {

class LikePattern {
public:
    // UTF-8 pattern.
    explicit LikePattern(std::string_view pattern);

    bool matches(std::string_view text) const;

private:
    enum class Kind { Character, AnyCharacter, AnyRun, Digit, Set };
    struct CharacterSet {
        bool negated = false;
        std::vector<std::pair<char32_t, char32_t>> ranges; // folded, inclusive
        bool contains(char32_t folded) const;
    };
    struct Element {
        Kind kind = Kind::Character;
        char32_t character = 0; // folded
        int set = -1;           // index into sets_
    };

    std::size_t readSet(const std::vector<char32_t>& pattern, std::size_t at);
    bool matchesOne(const Element& element, char32_t folded) const;

    std::vector<Element> elements_;
    std::vector<CharacterSet> sets_;
};

} // namespace data::jet::vb
