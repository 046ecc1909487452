#include "CollationCost.h"

#include "Drain.h"
#include "SalesSource.h"
#include "data/TextCollation.h"
#include "data/TextFolding.h"
#include "data/jet/Engine.h"

#include <QByteArray>
#include <algorithm>
#include <cstring>

namespace bench {

namespace {

struct Query {
    QString label;
    QString sql; // %1 the table, %2 the collation clause
};

const Query Queries[] = {
    {QStringLiteral("Level grouped by Customer (50,000 groups)"),
     QStringLiteral("SELECT Customer%2 AS CNAME, count(Customer) AS CCNT FROM %1 "
                    "WHERE Customer IS NOT NULL GROUP BY Customer%2")},
    {QStringLiteral("Rows sorted by Region, City, Customer (an index build's sort)"),
     QStringLiteral("SELECT Region, City, Customer FROM %1 "
                    "ORDER BY Region%2, City%2, Customer%2")},
    {QStringLiteral("Rows of one customer, compared by name"),
     QStringLiteral("SELECT count(*) FROM %1 WHERE Customer%2 = 'Lone Harra' "
                    "OR Customer%2 = 'Löne Hårra'")},
};

// The names as the engine holds them, UTF-8.
std::vector<QByteArray> customerNames(const SalesSource::Names& names) {
    std::vector<QByteArray> utf8;
    for (const QString& name : names.customers)
        utf8.push_back(name.toUtf8());
    return utf8;
}

// The collation's order as compareJetText gives it, but every character decoded and folded
// through the Unicode tables: what comparing would cost without its shortcuts for shared bytes
// and ASCII.
int compareUnicodeOnly(std::string_view a, std::string_view b) {
    int accentOrder = 0;
    std::size_t i = 0;
    std::size_t j = 0;
    while (i < a.size() && j < b.size()) {
        const char32_t x = data::foldCase(data::nextCodePoint(a, i));
        const char32_t y = data::foldCase(data::nextCodePoint(b, j));
        if (x == y)
            continue;
        const char32_t baseX = data::baseLetter(x);
        const char32_t baseY = data::baseLetter(y);
        if (baseX != baseY)
            return baseX < baseY ? -1 : 1;
        if (accentOrder == 0)
            accentOrder = x < y ? -1 : 1;
    }
    return i < a.size() ? 1 : j < b.size() ? -1 : accentOrder;
}

int compareBytes(std::string_view a, std::string_view b) {
    const int c = std::memcmp(a.data(), b.data(), std::min(a.size(), b.size()));
    return c != 0 ? c : a.size() < b.size() ? -1 : a.size() > b.size() ? 1 : 0;
}

// Nanoseconds per comparison of each pair with `compare`, the fastest of the runs: a few
// nanoseconds of work are what other work on the machine disturbs most.
template <typename Compare>
double
nanosecondsPerComparison(const std::vector<std::pair<std::string_view, std::string_view>>& pairs,
                         Compare compare, int runs) {
    std::vector<double> times;
    volatile int sink = 0;
    for (int run = 0; run < runs; ++run) {
        const Timing t = timeOf([&] {
            int sum = 0;
            for (int repeat = 0; repeat < 20; ++repeat)
                for (const auto& [a, b] : pairs)
                    sum += compare(a, b);
            sink = sink + sum;
        });
        times.push_back(t.cpu * 1e9 / (20.0 * double(pairs.size())));
    }
    return *std::min_element(times.begin(), times.end());
}

} // namespace

std::vector<CollationTiming> timeCollation(data::jet::Engine& engine, int runs) {
    std::vector<CollationTiming> timings;
    for (const QString& table : {SalesSource::TableName, SalesSource::AccentedTableName}) {
        engine.findTable(table);
        for (const Query& query : Queries) {
            CollationTiming t{query.label, table, 0, {}, {}, 0};
            const QByteArray jetText = query.sql.arg(table, QString()).toUtf8();
            const QByteArray binary =
                query.sql.arg(table, QStringLiteral(" COLLATE BINARY")).toUtf8();
            const auto run = [&](const QByteArray& sql) {
                return timeOf([&] {
                    data::jet::Statement statement = engine.prepare(sql);
                    t.rows = drain(statement).rows;
                });
            };
            run(binary);
            run(jetText);
            std::vector<Timing> jetTimes, binaryTimes;
            std::vector<double> ratios;
            for (int i = 0; i < runs; ++i) {
                if (i % 2 == 0) {
                    jetTimes.push_back(run(jetText));
                    binaryTimes.push_back(run(binary));
                } else {
                    binaryTimes.push_back(run(binary));
                    jetTimes.push_back(run(jetText));
                }
                ratios.push_back(jetTimes.back().cpu / binaryTimes.back().cpu);
            }
            t.jetText = median(jetTimes);
            t.binary = median(binaryTimes);
            t.pairedRatio = median(ratios);
            timings.push_back(t);
        }
    }
    return timings;
}

std::vector<ComparisonTiming> timeComparisons(int runs) {
    const SalesSource source(1);
    std::vector<ComparisonTiming> timings;
    for (const auto& [what, names] :
         {std::pair{QStringLiteral("ASCII names"), customerNames(source.plainNames())},
          std::pair{QStringLiteral("accented names"), customerNames(source.accentedNames())}}) {
        std::vector<QByteArray> sorted = names;
        std::sort(sorted.begin(), sorted.end(), [](const QByteArray& a, const QByteArray& b) {
            return data::compareJetText(a.toStdString(), b.toStdString()) < 0;
        });
        std::vector<QByteArray> copies = sorted; // equal texts at other addresses
        for (QByteArray& copy : copies)
            copy.detach();
        std::vector<std::pair<std::string_view, std::string_view>> neighbours, equals;
        for (std::size_t i = 0; i + 1 < sorted.size(); ++i)
            neighbours.emplace_back(
                std::string_view(sorted[i].constData(), sorted[i].size()),
                std::string_view(sorted[i + 1].constData(), sorted[i + 1].size()));
        for (std::size_t i = 0; i < sorted.size(); ++i)
            equals.emplace_back(std::string_view(sorted[i].constData(), sorted[i].size()),
                                std::string_view(copies[i].constData(), copies[i].size()));
        for (const auto& [pairs, kind] :
             {std::pair{&neighbours, QStringLiteral("next name in order")},
              std::pair{&equals, QStringLiteral("equal name")}}) {
            timings.push_back({what + QStringLiteral(", ") + kind,
                               nanosecondsPerComparison(*pairs, data::compareJetText, runs),
                               nanosecondsPerComparison(*pairs, compareUnicodeOnly, runs),
                               nanosecondsPerComparison(*pairs, compareBytes, runs)});
        }
    }
    return timings;
}

} // namespace bench
