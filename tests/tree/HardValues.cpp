#include "tree/HardValues.h"

#include "data/AdoTypes.h"
#include "data/jet/JetTestSupport.h"

#include <cstdint>
#include <vector>

namespace test {

namespace {

using namespace data::jet::testing;
using data::ado::adBigInt, data::ado::adBoolean, data::ado::adCurrency, data::ado::adDate,
    data::ado::adDouble, data::ado::adInteger, data::ado::adLongVarWChar, data::ado::adVarWChar;

const Cell null = nullptr;
Cell text(const char* text) {
    return QString(text);
}
Cell whole(std::int64_t n) {
    return n;
}
// A time of day on day zero, 30 Dec 1899, as Jet keeps it.
Cell clock(int hour, int minute, int second = 0) {
    return date(1899, 12, 30, hour, minute, second);
}

const double PointThree = 0.1 + 0.2; // 0.30000000000000004, shown as 0.3
const std::int64_t Beyond32 = 5'000'000'000;
// 2^53: a double holds every whole number up to here, but not 2^53 + 1.
const std::int64_t TwoTo53 = 9'007'199'254'740'992;

// Label, Amount, Flag, Small, Big, Price, When, Clock. Several rows share each value so that the
// levels have groups of more than one row, and the groups of one column spread over the others.
std::vector<Row> hardRows() {
    return {
        {text("O'Brien"), -2.5, true, whole(-40000), Beyond32, Amount{-123456}, date(1875, 6, 1),
         clock(10, 15)},
        {text("O'Brien"), PointThree, false, whole(70000), -Beyond32, Amount{1000},
         date(1929, 12, 31, 23, 59, 59), clock(23, 59, 59)},
        {text("o'brien"), 0.3, true, whole(-1), TwoTo53 + 1, Amount{12345678900},
         date(2030, 1, 1, 0, 0, 1), clock(0, 0)},
        {text("a (b)"), -0.75, null, whole(0), TwoTo53, null, date(2100, 3, 1), clock(12, 0)},
        {text("a (b)"), 123456789.25, true, null, null, Amount{-5000}, date(1899, 12, 30, 10, 15),
         clock(12, 0)},
        {text("<<NULL>> not null"), null, false, whole(-1), Beyond32, Amount{0}, date(1899, 12, 31),
         null},
        {text("("), null, null, null, -Beyond32, null, date(1900, 1, 1), clock(10, 15)},
        {text("("), null, false, whole(70000), null, Amount{-123456}, date(1929, 12, 31, 8, 0),
         clock(23, 59, 59)},
        {text(""), -2.5, true, whole(-40000), TwoTo53, Amount{1000}, date(1900, 3, 1), clock(0, 0)},
        {null, PointThree, true, whole(-1), TwoTo53 + 1, null, null, clock(10, 15)},
        {null, null, null, null, null, null, null, null},
        {text("Plain"), 0.3, false, whole(0), -Beyond32, Amount{-5000}, date(2030, 1, 1, 0, 0, 1),
         null},
        {text("PLAIN"), -0.3, false, null, Beyond32, Amount{12345678900}, date(2029, 12, 31),
         clock(12, 0)},
        {text("it's (x) 'y'"), -2.5, null, whole(70000), null, Amount{0}, date(1875, 6, 1, 12, 30),
         clock(0, 0)},
    };
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

// Text and Other hold the hard texts in two orders, each several times and once null, Amount a
// number for the statistics.
std::vector<Row> textRows() {
    const QStringList texts = hardTexts();
    const auto at = [&](qsizetype index) {
        return index < texts.size() ? Cell(texts[index]) : null;
    };
    std::vector<Row> rows;
    for (qsizetype i = 0; i <= 2 * texts.size(); ++i)
        rows.push_back(
            {at(i % (texts.size() + 1)), at((i * 7) % (texts.size() + 1)), double(i) - 10.5});
    return rows;
}

} // namespace

std::shared_ptr<data::Connection> connectToHardValues() {
    const auto source = std::make_shared<MemoryTableSource>();
    source->add({"Hard",
                 {{"Label", adVarWChar, 0},
                  {"Amount", adDouble, 0},
                  {"Flag", adBoolean, 0},
                  {"Small", adInteger, 0},
                  {"Big", adBigInt, 0},
                  {"Price", adCurrency, 0},
                  {"When", adDate, 0},
                  {"Clock", adDate, 0}}},
                hardRows());
    source->add(
        {"Texts", {{"Text", adVarWChar, 0}, {"Other", adLongVarWChar, 0}, {"Amount", adDouble, 0}}},
        textRows());
    return data::jet::testing::connectTo(source, {{"Hard", "TABLE"}, {"Texts", "TABLE"}});
}

} // namespace test
