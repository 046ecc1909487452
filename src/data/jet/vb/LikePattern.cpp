#include "data/jet/vb/LikePattern.h"

#include "data/TextFolding.h"
#include "data/jet/vb/VbError.h"

#include <algorithm>

namespace data::jet::vb {

namespace {

void foldInto(std::string_view text, std::vector<char32_t>& out) {
    out.clear();
    for (std::size_t at = 0; at < text.size();)
        out.push_back(foldCase(nextCodePoint(text, at)));
}

} // namespace

bool LikePattern::CharacterSet::contains(char32_t folded) const {
    const bool listed = std::any_of(ranges.begin(), ranges.end(), [&](const auto& range) {
        return folded >= range.first && folded <= range.second;
    });
    return listed != negated;
}

LikePattern::LikePattern(std::string_view pattern) {
    std::vector<char32_t> characters;
    foldInto(pattern, characters);
    for (std::size_t at = 0; at < characters.size();) {
        const char32_t c = characters[at];
        switch (c) {
        case U'*':
            // A run of stars matches what one star matches.
            if (elements_.empty() || elements_.back().kind != Kind::AnyRun)
                elements_.push_back({Kind::AnyRun, 0, -1});
            ++at;
            break;
        case U'?':
            elements_.push_back({Kind::AnyCharacter, 0, -1});
            ++at;
            break;
        case U'#':
            elements_.push_back({Kind::Digit, 0, -1});
            ++at;
            break;
        case U'[':
            at = readSet(characters, at + 1);
            break;
        default:
            elements_.push_back({Kind::Character, c, -1});
            ++at;
        }
    }
}

// Reads the set after a '[' up to its ']', returning the position after it. "[]" stands for no
// character at all and is dropped, as Jet does.
std::size_t LikePattern::readSet(const std::vector<char32_t>& pattern, std::size_t at) {
    const auto close = std::find(pattern.begin() + std::ptrdiff_t(at), pattern.end(), U']');
    if (close == pattern.end())
        throw VbError(InvalidPattern);
    const auto end = std::size_t(close - pattern.begin());
    CharacterSet set;
    if (at < end && pattern[at] == U'!' && at + 1 < end) {
        set.negated = true;
        ++at;
    }
    for (; at < end; ++at) {
        const char32_t first = pattern[at];
        if (at + 2 < end && pattern[at + 1] == U'-') {
            const char32_t last = pattern[at + 2];
            if (last < first)
                throw VbError(InvalidPattern);
            set.ranges.emplace_back(first, last);
            at += 2;
        } else {
            set.ranges.emplace_back(first, first);
        }
    }
    if (!set.ranges.empty()) {
        sets_.push_back(std::move(set));
        elements_.push_back({Kind::Set, 0, int(sets_.size()) - 1});
    }
    return end + 1;
}

bool LikePattern::matchesOne(const Element& element, char32_t folded) const {
    switch (element.kind) {
    case Kind::Character:
        return folded == element.character;
    case Kind::AnyCharacter:
        return true;
    case Kind::Digit:
        return folded >= U'0' && folded <= U'9';
    case Kind::Set:
        return sets_[std::size_t(element.set)].contains(folded);
    case Kind::AnyRun:
        break;
    }
    return false;
}

// Matches left to right; on a mismatch the last star takes one character more and matching
// resumes after it. Every element but the star takes exactly one character, which makes this
// complete.
bool LikePattern::matches(std::string_view utf8) const {
    thread_local std::vector<char32_t> text;
    foldInto(utf8, text);
    std::size_t t = 0;
    std::size_t p = 0;
    std::size_t starElement = elements_.size(); // none yet
    std::size_t starText = 0;
    while (t < text.size()) {
        if (p < elements_.size() && elements_[p].kind == Kind::AnyRun) {
            starElement = p++;
            starText = t;
        } else if (p < elements_.size() && matchesOne(elements_[p], text[t])) {
            ++p;
            ++t;
        } else if (starElement < elements_.size()) {
            p = starElement + 1;
            t = ++starText;
        } else {
            return false;
        }
    }
    while (p < elements_.size() && elements_[p].kind == Kind::AnyRun)
        ++p;
    return p == elements_.size();
}

} // namespace data::jet::vb
