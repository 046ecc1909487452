#include "tree/HardValues.h"

#include "data/AdoTypes.h"
#include "data/TableEntry.h"
#include "data/jet/JetTestSupport.h"

#include <QDateTime>
#include <cstdint>
#include <optional>
#include <vector>

namespace test {

namespace {

using data::jet::RowSink;
using std::nullopt;

struct Row {
    std::optional<QString> label;
    std::optional<bool> flag;
    std::optional<double> amount;
    std::optional<std::int64_t> small;
    std::optional<std::int64_t> big;
    std::optional<std::int64_t> price; // times 10,000
    std::optional<QDateTime> when;
    std::optional<QTime> clock; // on day zero, 30 Dec 1899, as Jet keeps a time of day
};

QDateTime at(int year, int month, int day, int hour = 0, int minute = 0, int second = 0) {
    return QDateTime(QDate(year, month, day), QTime(hour, minute, second));
}

const double PointThree = 0.1 + 0.2; // 0.30000000000000004, shown as 0.3
const std::int64_t Beyond32 = 5'000'000'000;
// 2^53: a double holds every whole number up to here, but not 2^53 + 1.
const std::int64_t TwoTo53 = 9'007'199'254'740'992;

// Several rows share each value so that the levels have groups of more than one row, and the
// groups of one column spread over the others.
const std::vector<Row>& rows() {
    static const std::vector<Row> all = {
        {"O'Brien", true, -2.5, -40000, Beyond32, -123456, at(1875, 6, 1), QTime(10, 15)},
        {"O'Brien", false, PointThree, 70000, -Beyond32, 1000, at(1929, 12, 31, 23, 59, 59),
         QTime(23, 59, 59)},
        {"o'brien", true, 0.3, -1, TwoTo53 + 1, 12345678900, at(2030, 1, 1, 0, 0, 1), QTime(0, 0)},
        {"a (b)", nullopt, -0.75, 0, TwoTo53, nullopt, at(2100, 3, 1), QTime(12, 0)},
        {"a (b)", true, 123456789.25, nullopt, nullopt, -5000, at(1899, 12, 30, 10, 15),
         QTime(12, 0)},
        {"<<NULL>> not null", false, nullopt, -1, Beyond32, 0, at(1899, 12, 31), nullopt},
        {"(", nullopt, nullopt, nullopt, -Beyond32, nullopt, at(1900, 1, 1), QTime(10, 15)},
        {"(", false, nullopt, 70000, nullopt, -123456, at(1929, 12, 31, 8, 0), QTime(23, 59, 59)},
        {"", true, -2.5, -40000, TwoTo53, 1000, at(1900, 3, 1), QTime(0, 0)},
        {nullopt, true, PointThree, -1, TwoTo53 + 1, nullopt, nullopt, QTime(10, 15)},
        {nullopt, nullopt, nullopt, nullopt, nullopt, nullopt, nullopt, nullopt},
        {"Plain", false, 0.3, 0, -Beyond32, -5000, at(2030, 1, 1, 0, 0, 1), nullopt},
        {"PLAIN", false, -0.3, nullopt, Beyond32, 12345678900, at(2029, 12, 31), QTime(12, 0)},
        {"it's (x) 'y'", nullopt, -2.5, 70000, nullopt, 0, at(1875, 6, 1, 12, 30), QTime(0, 0)},
    };
    return all;
}

enum Column { Label, Amount, Flag, Small, Big, Price, When, Clock };

const data::jet::SourceColumn Columns[] = {
    {"Label", data::ado::adVarWChar, 0}, {"Amount", data::ado::adDouble, 0},
    {"Flag", data::ado::adBoolean, 0},   {"Small", data::ado::adInteger, 0},
    {"Big", data::ado::adBigInt, 0},     {"Price", data::ado::adCurrency, 0},
    {"When", data::ado::adDate, 0},      {"Clock", data::ado::adDate, 0},
};

void setDate(RowSink& sink, int at, const QDateTime& when) {
    sink.setDateTime(at, when.date().year(), when.date().month(), when.date().day(),
                     when.time().hour(), when.time().minute(), when.time().second());
}

// One value of a row into the sink; a missing value stays null.
void put(RowSink& sink, int at, const Row& row, Column column) {
    switch (column) {
    case Label:
        return row.label ? sink.setText(at, *row.label) : sink.setNull(at);
    case Flag:
        return row.flag ? sink.setBoolean(at, *row.flag) : sink.setNull(at);
    case Amount:
        return row.amount ? sink.setDouble(at, *row.amount) : sink.setNull(at);
    case Small:
        return row.small ? sink.setInteger(at, *row.small) : sink.setNull(at);
    case Big:
        return row.big ? sink.setInteger(at, *row.big) : sink.setNull(at);
    case Price:
        return row.price ? sink.setCurrency(at, *row.price) : sink.setNull(at);
    case When:
        return row.when ? setDate(sink, at, *row.when) : sink.setNull(at);
    case Clock:
        return row.clock ? setDate(sink, at, QDateTime(QDate(1899, 12, 30), *row.clock))
                         : sink.setNull(at);
    }
}

// Texts that a condition must carry whole: NUL characters at either end and inside, quotes,
// brackets, every kind of line break, Like's wildcards, lone halves of surrogate pairs, and
// 100,000 characters that differ only in the last.
QStringList hardTexts() {
    const QChar nul(0);
    const QString longText(100'000, u'x');
    return {QString("a") + nul + "b",
            QString("a") + nul,
            QString(nul),
            QString(2, nul),
            "a",
            "it's \"q\"",
            "[x]",
            "]",
            "line\nbreak",
            "line\r\nbreak",
            "line\rbreak",
            "%_*?#",
            "back\\slash",
            longText,
            longText.left(99'999) + 'y',
            QString(QChar(0xD800)),
            QString("x") + QChar(0xDC00),
            QString::fromUtf8("\U0001F600")};
}

// The table "Texts": Text and Other hold the hard texts in two orders, each several times and
// once null, Amount a number for the statistics.
void loadTexts(RowSink& sink) {
    const QStringList texts = hardTexts();
    for (qsizetype i = 0; i <= 2 * texts.size(); ++i) {
        const auto put = [&](int at, qsizetype index) {
            index < texts.size() ? sink.setText(at, texts[index]) : sink.setNull(at);
        };
        put(0, i % (texts.size() + 1));
        put(1, (i * 7) % (texts.size() + 1));
        sink.setDouble(2, double(i) - 10.5);
        sink.endRow();
    }
}

const data::jet::SourceColumn TextColumns[] = {{"Text", data::ado::adVarWChar, 0},
                                               {"Other", data::ado::adLongVarWChar, 0},
                                               {"Amount", data::ado::adDouble, 0}};

} // namespace

QStringList HardValues::tableNames() {
    return {QStringLiteral("Hard"), QStringLiteral("Texts")};
}

std::optional<data::jet::SourceTable> HardValues::describe(const QString& name) {
    if (name.compare(QLatin1String("Texts"), Qt::CaseInsensitive) == 0)
        return data::jet::SourceTable{QStringLiteral("Texts"),
                                      std::vector(std::begin(TextColumns), std::end(TextColumns))};
    if (name.compare(QLatin1String("Hard"), Qt::CaseInsensitive) != 0)
        return nullopt;
    return data::jet::SourceTable{QStringLiteral("Hard"),
                                  std::vector(std::begin(Columns), std::end(Columns))};
}

void HardValues::load(const QString& name, RowSink& sink) {
    if (name.compare(QLatin1String("Texts"), Qt::CaseInsensitive) == 0)
        return loadTexts(sink);
    for (const Row& row : rows()) {
        for (int at = 0; at < int(std::size(Columns)); ++at)
            put(sink, at, row, Column(at));
        sink.endRow();
    }
}

std::shared_ptr<data::Connection> connectToHardValues() {
    const auto source = std::make_shared<HardValues>();
    std::vector<data::TableEntry> tables;
    for (const QString& name : source->tableNames())
        tables.push_back({name, QStringLiteral("TABLE")});
    return data::jet::testing::connectTo(source, tables);
}

} // namespace test
