#include "data/TextFolding.h"

#include <QChar>
#include <QString>
#include <vector>

namespace data {

namespace {

constexpr char32_t MalformedByte = 0xDC80;

bool isContinuation(unsigned char c) {
    return (c & 0xC0) == 0x80;
}

// Follows canonical decompositions down to the first character, for the letters of the Latin,
// Greek and Cyrillic blocks and their extensions; other characters are their own base.
std::vector<char32_t> buildBaseLetters() {
    constexpr char32_t Covered = 0x2000;
    std::vector<char32_t> table(Covered);
    for (char32_t c = 0; c < Covered; ++c) {
        char32_t base = c;
        for (int depth = 0; depth < 4 && QChar::decompositionTag(base) == QChar::Canonical;
             ++depth) {
            const QString parts = QChar::decomposition(base);
            if (parts.isEmpty())
                break;
            base = parts.at(0).unicode();
        }
        table[c] = foldCase(base);
    }
    table[U'ß'] = U's';
    return table;
}

} // namespace

char32_t nextCodePoint(std::string_view text, std::size_t& at) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(at);
    if (lead < 0x80) {
        ++at;
        return lead;
    }
    int length = 0;
    char32_t value = 0;
    if ((lead & 0xE0) == 0xC0) {
        length = 2;
        value = lead & 0x1F;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3;
        value = lead & 0x0F;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4;
        value = lead & 0x07;
    }
    if (length == 0 || at + length > text.size()) {
        ++at;
        return MalformedByte + lead;
    }
    for (int i = 1; i < length; ++i) {
        if (!isContinuation(byte(at + i))) {
            ++at;
            return MalformedByte + lead;
        }
        value = (value << 6) | (byte(at + i) & 0x3F);
    }
    at += length;
    return value;
}

char32_t foldCase(char32_t c) {
    if (c < 0x80)
        return c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c;
    return QChar::toCaseFolded(c);
}

char32_t baseLetter(char32_t folded) {
    static const std::vector<char32_t> table = buildBaseLetters();
    return folded < table.size() ? table[folded] : folded;
}

} // namespace data
