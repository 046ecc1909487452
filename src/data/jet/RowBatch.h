#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// The values of a batch of rows as the engine stores them: made on the thread that reads the
// source, stored by the engine's thread. Text and binary values are bytes in one buffer, which
// the engine reads in place while it stores the batch.
namespace data::jet {

struct RowBatch {
    enum class Kind : std::uint8_t { Null, Integer, Real, Text, Blob };
    struct Cell {
        Kind kind = Kind::Null;
        std::int64_t integer = 0;
        double real = 0;
        std::size_t offset = 0; // of a text or binary value in `bytes`
        std::size_t length = 0;
    };

    // A batch holding this many bytes of text and binary values goes on its way whatever its
    // rows, so that the batches ahead of the engine never hold much more each.
    static constexpr std::size_t FullBytes = 4 * 1024 * 1024;

    explicit RowBatch(std::size_t cells) : cells(cells) {}

    // Empties the batch for the next rows; the memory of a very long value is given back.
    void clear() {
        std::fill(cells.begin(), cells.end(), Cell{});
        if (bytes.capacity() > 2 * FullBytes)
            std::string().swap(bytes);
        bytes.clear();
        rows = 0;
    }

    std::vector<Cell> cells; // row after row, each the table's columns in order
    std::string bytes;
    int rows = 0; // the rows filled
};

} // namespace data::jet
