#include "data/TextCollation.h"

#include "data/TextFolding.h"

#include <algorithm>
#include <bitset>

namespace data {

namespace {

char foldAscii(char c) {
    return c >= 'A' && c <= 'Z' ? char(c + ('a' - 'A')) : c;
}

} // namespace

int compareJetText(std::string_view a, std::string_view b) {
    // Grouping and index searches mostly compare texts that are equal or begin alike, and equal
    // bytes are equal characters: start at the first byte that differs, or rather after the last
    // ASCII character before it, where a character surely begins in both.
    if (a == b)
        return 0;
    std::size_t start =
        std::size_t(std::mismatch(a.begin(), a.end(), b.begin(), b.end()).first - a.begin());
    while (start > 0 && (static_cast<unsigned char>(a[start - 1]) & 0x80) != 0)
        --start;
    int accentOrder = 0; // the first difference in accents, should the base letters all agree
    std::size_t i = start;
    std::size_t j = start;
    while (i < a.size() && j < b.size()) {
        // Grouping compares millions of mostly ASCII strings: those need no decoding.
        if (((static_cast<unsigned char>(a[i]) | static_cast<unsigned char>(b[j])) & 0x80) == 0) {
            const char x = foldAscii(a[i++]);
            const char y = foldAscii(b[j++]);
            if (x != y)
                return x < y ? -1 : 1;
            continue;
        }
        const char32_t x = foldCase(nextCodePoint(a, i));
        const char32_t y = foldCase(nextCodePoint(b, j));
        if (x == y)
            continue;
        const char32_t baseX = baseLetter(x);
        const char32_t baseY = baseLetter(y);
        if (baseX != baseY)
            return baseX < baseY ? -1 : 1;
        if (accentOrder == 0)
            accentOrder = x < y ? -1 : 1;
    }
    if (i < a.size())
        return 1;
    if (j < b.size())
        return -1;
    return accentOrder;
}

bool collatesAsBinary(std::u16string_view characters) {
    std::bitset<128> present;
    for (const char16_t c : characters) {
        if (c >= 128)
            return false;
        present.set(c);
    }
    // Folding keeps the order of all of them when it keeps that of each and the next.
    int previous = -1;
    for (std::size_t c = 0; c < present.size(); ++c) {
        if (!present.test(c))
            continue;
        const int folded = static_cast<unsigned char>(foldAscii(char(c)));
        if (folded <= previous)
            return false;
        previous = folded;
    }
    return true;
}

} // namespace data
