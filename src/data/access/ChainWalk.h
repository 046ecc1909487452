#pragma once

#include "data/access/Damage.h"

#include <cstdint>
#include <unordered_set>
#include <utility>

// The places a chain in the file has led to so far (pages, or rows as page << 8 | row). A chain
// that comes back to one of them loops, and would repeat itself for as long as it is followed.
// Each place is met once, so a walk never holds more places than the file has pages or rows.
namespace data::access {

class ChainWalk {
public:
    // `chain` names the chain in the message, as in "the definition of table 'Orders'".
    explicit ChainWalk(QString chain) : chain_(std::move(chain)) {}

    // Throws Damage when the chain has been at `place` before.
    void step(std::uint32_t place) {
        if (!visited_.insert(place).second)
            throw Damage(QStringLiteral("%1 loops back on itself").arg(chain_));
    }

private:
    QString chain_;
    std::unordered_set<std::uint32_t> visited_;
};

} // namespace data::access
