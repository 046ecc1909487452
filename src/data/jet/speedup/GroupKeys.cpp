#include "data/jet/speedup/GroupKeys.h"

#include "data/TextFolding.h"

#include <cstring>
#include <random>

namespace data::jet {

namespace {

// Writes a code point the way UTF-8 does, stray-byte stand-ins included: each reads back as one
// code point, so different folded texts never give the same bytes.
char* writeCodePoint(char* out, char32_t c) {
    if (c < 0x80) {
        *out++ = char(c);
    } else if (c < 0x800) {
        *out++ = char(0xC0 | (c >> 6));
        *out++ = char(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        *out++ = char(0xE0 | (c >> 12));
        *out++ = char(0x80 | ((c >> 6) & 0x3F));
        *out++ = char(0x80 | (c & 0x3F));
    } else {
        *out++ = char(0xF0 | (c >> 18));
        *out++ = char(0x80 | ((c >> 12) & 0x3F));
        *out++ = char(0x80 | ((c >> 6) & 0x3F));
        *out++ = char(0x80 | (c & 0x3F));
    }
    return out;
}

std::uint64_t mix(std::uint64_t h) {
    h ^= h >> 32;
    h *= 0xD6E8FEB86659FD93ull;
    h ^= h >> 32;
    return h;
}

constexpr std::size_t FirstSlots = 1024;

} // namespace

GroupKeys::GroupKeys() : slots_(FirstSlots), seed_(std::random_device()()) {}

void GroupKeys::reserve(std::size_t length) {
    if (key_.size() < length + 8)
        key_.resize(length + 8);
}

void GroupKeys::setText(std::string_view utf8) {
    // A character folds to at most four bytes; one more for the kind, and a word's room after
    // the key for hash().
    reserve(utf8.size() * 4 + 1);
    char* out = key_.data();
    *out++ = 't';
    std::size_t at = 0;
    while (at < utf8.size()) {
        const auto byte = static_cast<unsigned char>(utf8[at]);
        if (byte < 0x80) {
            *out++ = byte >= 'A' && byte <= 'Z' ? char(byte + ('a' - 'A')) : char(byte);
            ++at;
        } else {
            out = writeCodePoint(out, foldCase(nextCodePoint(utf8, at)));
        }
    }
    keyLength_ = std::size_t(out - key_.data());
}

void GroupKeys::setInteger(std::int64_t value) {
    reserve(1 + sizeof value);
    key_[0] = 'i';
    std::memcpy(key_.data() + 1, &value, sizeof value);
    keyLength_ = 1 + sizeof value;
}

void GroupKeys::setReal(double value) {
    // SQLite holds a whole real equal to the integer it equals.
    if (value >= -9223372036854775808.0 && value < 9223372036854775808.0 &&
        double(std::int64_t(value)) == value)
        return setInteger(std::int64_t(value));
    reserve(1 + sizeof value);
    key_[0] = 'r';
    std::memcpy(key_.data() + 1, &value, sizeof value);
    keyLength_ = 1 + sizeof value;
}

void GroupKeys::setExactText(std::string_view utf8) {
    reserve(utf8.size() + 1);
    key_[0] = 'T';
    std::memcpy(key_.data() + 1, utf8.data(), utf8.size());
    keyLength_ = 1 + utf8.size();
}

void GroupKeys::setExactReal(double value) {
    reserve(1 + sizeof value);
    key_[0] = 'R';
    std::memcpy(key_.data() + 1, &value, sizeof value);
    keyLength_ = 1 + sizeof value;
}

std::uint64_t GroupKeys::hash() const {
    std::uint64_t h = seed_ ^ (keyLength_ * 0x9E3779B97F4A7C15ull);
    const char* bytes = key_.data();
    std::size_t i = 0;
    for (; i + 8 <= keyLength_; i += 8) {
        std::uint64_t word;
        std::memcpy(&word, bytes + i, 8);
        h = mix(h ^ word);
    }
    // The last bytes read as one word (the buffer has room for it), those past the key masked.
    if (i < keyLength_) {
        std::uint64_t word;
        std::memcpy(&word, bytes + i, 8);
        h ^= word & (~std::uint64_t(0) >> (64 - 8 * (keyLength_ - i)));
    }
    return mix(h);
}

std::size_t GroupKeys::slotOf(std::uint64_t h) const {
    const std::size_t mask = slots_.size() - 1;
    for (std::size_t i = std::size_t(h) & mask;; i = (i + 1) & mask) {
        const Slot& slot = slots_[i];
        if (slot.group == Empty ||
            (slot.hash == h && slot.length == keyLength_ &&
             std::memcmp(keys_.data() + slot.offset, key_.data(), keyLength_) == 0))
            return i;
    }
}

std::uint32_t GroupKeys::groupOf(std::uint32_t next) {
    const std::uint64_t h = hash();
    Slot& slot = slots_[slotOf(h)];
    if (slot.group != Empty)
        return slot.group;
    slot = {h, next, keyLength_, keys_.size()};
    keys_.append(key_.data(), keyLength_);
    if (++used_ * 2 > slots_.size())
        grow();
    return next;
}

std::optional<std::uint32_t> GroupKeys::find() const {
    const Slot& slot = slots_[slotOf(hash())];
    return slot.group == Empty ? std::nullopt : std::optional(slot.group);
}

void GroupKeys::grow() {
    std::vector<Slot> old(slots_.size() * 2);
    old.swap(slots_);
    const std::size_t mask = slots_.size() - 1;
    for (const Slot& slot : old) {
        if (slot.group == Empty)
            continue;
        std::size_t i = std::size_t(slot.hash) & mask;
        while (slots_[i].group != Empty)
            i = (i + 1) & mask;
        slots_[i] = slot;
    }
}

} // namespace data::jet
