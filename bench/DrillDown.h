#pragma once

#include "SalesSource.h"
#include "Stopwatch.h"
#include "data/jet/JetProvider.h"

#include <QString>
#include <vector>

// The statements a drill-down over the Sales table runs, each in the Jet dialect as the program
// writes it and beside it the same question asked in SQLite's own SQL, timed against each other
// on the same engine database.
namespace bench {

struct StatementPair {
    QString label;
    QString jet;
    QString native;
};

// From the root down to the rows of one customer's node (region, city, customer).
std::vector<StatementPair> drillDownStatements(const SalesSource& source, int customer);

struct PairTiming {
    QString label;
    Timing jet;    // medians: translate, prepare and read every row
    Timing native; // medians: prepare and read every row
    // The median of each round's Jet/native processor time: the two runs of a round follow
    // each other closely, so what else the machine does weighs on both alike.
    double pairedRatio = 0;
    long long rows = 0;
    bool agree = false; // both gave the same rows
};

// Runs each pair `runs` times, Jet and native taking turns, after one run of each not counted.
std::vector<PairTiming> timeDrillDown(data::jet::JetProvider& provider,
                                      const std::vector<StatementPair>& pairs, int runs);

} // namespace bench
