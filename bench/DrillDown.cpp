#include "DrillDown.h"

#include "Drain.h"
#include "Stopwatch.h"

namespace bench {

namespace {

const QString JetStatistics = QStringLiteral(
    "Min([Amount]) AS CMIN, Max([Amount]) AS CMAX, Avg([Amount]) AS CAVG, Sum([Amount]) AS CSUM");
const QString NativeStatistics = QStringLiteral(
    "min(Amount) AS CMIN, max(Amount) AS CMAX, avg(Amount) AS CAVG, sum(Amount) AS CSUM");

QString quoted(const QString& text) {
    return u'\'' + QString(text).replace(u'\'', QStringLiteral("''")) + u'\'';
}

// The null group and the grouped level of `column` below the filter (which may be empty).
void addLevel(std::vector<StatementPair>& pairs, const QString& label, const QString& column,
              const QString& jetFilter, const QString& nativeFilter) {
    const QString jetAnd = jetFilter.isEmpty() ? QString() : jetFilter + QStringLiteral(" AND ");
    const QString nativeAnd =
        nativeFilter.isEmpty() ? QString() : nativeFilter + QStringLiteral(" AND ");
    pairs.push_back(
        {label + QStringLiteral(": Null group"),
         QStringLiteral("SELECT COUNT(1) AS CCNT , %1 FROM [Sales] WHERE %2[%3] IS NULL")
             .arg(JetStatistics, jetAnd, column),
         QStringLiteral("SELECT count(*) AS CCNT, %1 FROM Sales WHERE %2%3 IS NULL")
             .arg(NativeStatistics, nativeAnd, column)});
    pairs.push_back({label + QStringLiteral(": groups"),
                     QStringLiteral("SELECT [%3] AS CNAME, COUNT([%3]) AS CCNT , %1 FROM [Sales] "
                                    "WHERE %2[%3] IS NOT NULL  GROUP BY [%3]")
                         .arg(JetStatistics, jetAnd, column),
                     QStringLiteral("SELECT %3 AS CNAME, count(%3) AS CCNT, %1 FROM Sales "
                                    "WHERE %2%3 IS NOT NULL GROUP BY %3")
                         .arg(NativeStatistics, nativeAnd, column)});
}

} // namespace

std::vector<StatementPair> drillDownStatements(const SalesSource& source, int customer) {
    const int city = SalesSource::cityOfCustomer(customer);
    const QString regionValue = quoted(source.region(SalesSource::regionOfCity(city)));
    const QString cityValue = quoted(source.city(city));
    const QString customerValue = quoted(source.customer(customer));

    std::vector<StatementPair> pairs;
    pairs.push_back(
        {QStringLiteral("Root count and statistics"),
         QStringLiteral("SELECT Count(1) AS CNNULL , %1 FROM [Sales]").arg(JetStatistics),
         QStringLiteral("SELECT count(*) AS CNNULL, %1 FROM Sales").arg(NativeStatistics)});
    addLevel(pairs, QStringLiteral("Region level"), QStringLiteral("Region"), {}, {});
    addLevel(pairs, QStringLiteral("City level under one region"), QStringLiteral("City"),
             QStringLiteral("[Region] = %1").arg(regionValue),
             QStringLiteral("Region = %1").arg(regionValue));
    addLevel(pairs, QStringLiteral("Customer level under region and city"),
             QStringLiteral("Customer"),
             QStringLiteral("[Region] = %1 AND [City] = %2").arg(regionValue, cityValue),
             QStringLiteral("Region = %1 AND City = %2").arg(regionValue, cityValue));
    pairs.push_back(
        {QStringLiteral("Month level (Format yyyy/mm)"),
         QStringLiteral("SELECT Format([OrderDate], \"yyyy\\/mm\") AS CNAME, COUNT(1) AS CCNT FROM "
                        "[Sales] WHERE [OrderDate] IS NOT NULL  GROUP BY Format([OrderDate], "
                        "\"yyyy\\/mm\")"),
         QStringLiteral("SELECT strftime('%Y/%m', OrderDate) AS CNAME, count(*) AS CCNT FROM Sales "
                        "WHERE OrderDate IS NOT NULL GROUP BY strftime('%Y/%m', OrderDate)")});
    pairs.push_back({QStringLiteral("Detail rows of a customer's node"),
                     QStringLiteral("SELECT [Region], [City], [Customer], [OrderDate], [Amount], "
                                    "[Qty], [Paid] FROM [Sales] WHERE [Region] = %1 AND [City] = "
                                    "%2 AND [Customer] = %3")
                         .arg(regionValue, cityValue, customerValue),
                     QStringLiteral("SELECT Region, City, Customer, OrderDate, Amount, Qty, Paid "
                                    "FROM Sales WHERE Region = %1 AND City = %2 AND Customer = %3")
                         .arg(regionValue, cityValue, customerValue)});
    return pairs;
}

std::vector<PairTiming> timeDrillDown(data::jet::JetProvider& provider,
                                      const std::vector<StatementPair>& pairs, int runs) {
    std::vector<PairTiming> timings;
    for (const StatementPair& pair : pairs) {
        const QByteArray native = pair.native.toUtf8();
        Drained jetRows;
        Drained nativeRows;
        const auto runJet = [&] {
            const auto cursor = provider.execute(pair.jet);
            jetRows = drain(*cursor);
        };
        const auto runNative = [&] {
            data::jet::Statement statement = provider.engine().prepare(native);
            nativeRows = drain(statement);
        };
        runJet();
        runNative();
        std::vector<Timing> jet;
        std::vector<Timing> nativeTimes;
        for (int run = 0; run < runs; ++run) {
            // Taking turns in both orders evens out what the one before leaves in the caches.
            if (run % 2 == 0) {
                jet.push_back(timeOf(runJet));
                nativeTimes.push_back(timeOf(runNative));
            } else {
                nativeTimes.push_back(timeOf(runNative));
                jet.push_back(timeOf(runJet));
            }
        }
        std::vector<double> ratios;
        for (std::size_t run = 0; run < jet.size(); ++run)
            ratios.push_back(jet[run].cpu / nativeTimes[run].cpu);
        timings.push_back({pair.label, median(jet), median(nativeTimes), median(ratios),
                           jetRows.rows, jetRows.agreesWith(nativeRows)});
    }
    return timings;
}

} // namespace bench
