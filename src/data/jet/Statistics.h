#pragma once

#include <QByteArray>
#include <memory>

struct sqlite3;
struct sqlite3_value;

// Min, Max, Avg and Sum of one column of numbers in a single pass.
//
// A tree level asks for all four statistics of the same column; SQLite's own min, max, avg and
// sum read the column and step an aggregate four times for every row. "jet_statistics(x)"
// gathers all four at once; SQLite computes an aggregate call written several times in a
// statement only once, so "jet_min(jet_statistics(x))", "jet_max(jet_statistics(x))", ... step
// one aggregate per row and take their figure from its result.
//
// The figures are SQLite's own, value for value: Min and Max compare numbers exactly (an integer
// against a real included; of equal values the first stays) and order numbers before text and
// text before binary data, text and binary data byte by byte; Sum adds integers exactly until
// they overflow ("integer overflow", as SQLite reports it) and gives a real as soon as any value
// is not an integer; Avg divides the real sum by the count. All give Null over no values.
namespace data::jet {

// SQLite's result code.
int registerStatistics(sqlite3* db);

struct Figures;

// The figures of jet_statistics gathered by the engine itself, value by value, where it groups
// rows on its own: bytes() is what jet_statistics would give over the same values in the same
// order, for jet_min, jet_max, jet_avg and jet_sum to read.
class Statistics {
public:
    Statistics();
    ~Statistics();
    Statistics(Statistics&&) noexcept;
    Statistics& operator=(Statistics&&) = delete;

    // False when memory for a copy of a text or binary extreme ran out.
    bool add(sqlite3_value* value);
    QByteArray bytes() const;

private:
    std::unique_ptr<Figures> figures_;
};

} // namespace data::jet
