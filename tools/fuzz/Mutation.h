#pragma once

#include <QByteArray>
#include <random>

// The changes a damaged or hostile file shows: bits flipped, bytes set to the values lengths and
// counts go wrong with, runs of random bytes, the file cut short, and whole pages or sectors
// zeroed, repeated or swapped.
namespace fuzz {

class Mutation {
public:
    explicit Mutation(std::uint64_t seed) : random_(seed) {}

    // A copy of `input` with one to four changes made.
    QByteArray of(const QByteArray& input);

private:
    void once(QByteArray& bytes);
    qsizetype below(qsizetype n) { return n <= 0 ? 0 : qsizetype(random_() % std::uint64_t(n)); }

    std::mt19937_64 random_;
};

} // namespace fuzz
