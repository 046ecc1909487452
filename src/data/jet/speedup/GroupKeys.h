#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The keys of the groups met in one pass over a table's rows, each with its group's number in
// the order first met. A key is bytes equal for exactly the values that group together: text
// folded as the text collation folds it before comparing, a number by its value.
//
// The pass looks up a key for every row, so the table is open addressing over one block of
// slots, the keys' bytes kept in one buffer, and the hash seeded per run so that no file can
// choose values that all fall on the same slots.
namespace data::jet {

class GroupKeys {
public:
    GroupKeys();

    // The key being written: cleared, then filled by one of these.
    void setText(std::string_view utf8);
    void setInteger(std::int64_t value);
    void setReal(double value);
    // Keys for values exactly as stored: text as its bytes, a real by its bits.
    void setExactText(std::string_view utf8);
    void setExactReal(double value);

    // The number of the key's group, `next` when the key is new (it is then kept).
    std::uint32_t groupOf(std::uint32_t next);
    // The number of the key's group; none where the key was never kept.
    std::optional<std::uint32_t> find() const;
    // The bytes of the keys kept.
    std::size_t keptBytes() const { return keys_.size(); }

private:
    struct Slot {
        std::uint64_t hash = 0;
        std::uint32_t group = Empty;
        std::size_t length = 0;
        std::size_t offset = 0; // of the key's bytes in keys_
    };
    static constexpr std::uint32_t Empty = 0xFFFFFFFF;

    void reserve(std::size_t length);
    std::uint64_t hash() const;
    // The slot of the key being written, or the empty one where it would go.
    std::size_t slotOf(std::uint64_t hash) const;
    void grow();

    std::string key_;
    std::size_t keyLength_ = 0;
    std::vector<Slot> slots_;
    std::size_t used_ = 0;
    std::string keys_;
    std::uint64_t seed_;
};

} // namespace data::jet
