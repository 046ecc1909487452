#include "data/workbook/XlsxSheet.h"

#include "data/workbook/DateFormats.h"
#include "data/workbook/Messages.h"
#include "data/workbook/XlsxXml.h"

#include <charconv>
#include <cmath>
#include <optional>

namespace data::workbook {

namespace {

// The bounds of a worksheet since Excel 2007.
constexpr unsigned MaxRows = 1048576;
constexpr unsigned MaxColumns = 16384;

struct SheetDamage {
    QString detail;
};

// The first characters of a text written into a message.
QString leftOf(QByteArrayView text) {
    return QString::fromUtf8(text.first(std::min<qsizetype>(text.size(), 40)));
}

// A number written in the part: digits and what a number may hold, all of it.
template <class Number> std::optional<Number> parsedNumber(QByteArrayView text) {
    Number value{};
    const char* end = text.data() + text.size();
    const auto [stop, problem] = std::from_chars(text.data(), end, value);
    if (problem != std::errc() || stop != end)
        return std::nullopt;
    return value;
}

template <class Number> inline std::optional<Number> numberOf(QByteArrayView text) {
    if constexpr (std::is_same_v<Number, unsigned>) {
        // Row numbers, columns and styles, millions of them, mostly short: digits read in a
        // loop of their own, where nine of them cannot overflow, in the code that reads them.
        if (!text.isEmpty() && text.size() <= 9) {
            unsigned value = 0;
            for (const char c : text) {
                if (c < '0' || c > '9')
                    return std::nullopt;
                value = value * 10 + unsigned(c - '0');
            }
            return value;
        }
    }
    return parsedNumber<Number>(text);
}

// A cell's reference ("B12") as its column and its row from 1, the row 0 when it has none.
std::pair<unsigned, unsigned> referenceOf(QByteArrayView reference) {
    unsigned column = 0;
    qsizetype at = 0;
    for (; at < reference.size() && at < 4; ++at) {
        const char c = static_cast<char>(reference[at] & ~0x20); // upper case
        if (c < 'A' || c > 'Z')
            break;
        column = column * 26 + unsigned(c - 'A' + 1);
    }
    const std::optional<unsigned> row =
        at < reference.size() ? numberOf<unsigned>(reference.sliced(at)) : 0u;
    if (column == 0 || column > MaxColumns || !row || *row > MaxRows)
        throw SheetDamage{QStringLiteral("a cell's reference '%1' is no cell of a worksheet")
                              .arg(leftOf(reference))};
    return {column - 1, *row};
}

// The kinds of value a cell's "t" attribute names.
enum class Kind { Number, Shared, Text, Truth, Error, Date };

Kind kindOf(QByteArrayView kind) {
    if (kind.isEmpty() || sameBytes(kind, "n"))
        return Kind::Number;
    if (sameBytes(kind, "s"))
        return Kind::Shared;
    if (sameBytes(kind, "b"))
        return Kind::Truth;
    if (sameBytes(kind, "e"))
        return Kind::Error;
    if (sameBytes(kind, "d"))
        return Kind::Date;
    return Kind::Text; // "str" of a formula, "inlineStr"
}

// The bytes between blanks, as a number or an index is read.
QByteArrayView trimmed(QByteArrayView text) {
    while (!text.isEmpty() && (text.front() == ' ' || text.front() == '\n' ||
                               text.front() == '\r' || text.front() == '\t'))
        text = text.sliced(1);
    while (!text.isEmpty() && (text.back() == ' ' || text.back() == '\n' || text.back() == '\r' ||
                               text.back() == '\t'))
        text.chop(1);
    return text;
}

// The shared strings a sheet's cells name, each made a text once and then shared by every cell
// that names it: a sheet names a few strings over and over. Only the first strings of the list
// are kept so, as a list may hold millions.
class SharedTexts {
public:
    explicit SharedTexts(const StringTable& strings) : strings_(strings) {}

    std::size_t size() const { return strings_.size(); }
    // The string at the index, which is below size().
    QString at(std::size_t index) {
        if (index >= Kept)
            return strings_.at(index);
        if (texts_.empty())
            texts_.resize(std::min(strings_.size(), Kept));
        QString& text = texts_[index];
        if (text.isNull())
            text = strings_.at(index);
        return text;
    }

private:
    static constexpr std::size_t Kept = 1 << 16;
    const StringTable& strings_;
    std::vector<QString> texts_; // by index, null where not yet made
};

CellValue valueOf(Kind kind, QByteArrayView text, unsigned style, const XlsxCellContext& context,
                  SharedTexts& sharedTexts) {
    if (kind == Kind::Error || text.isEmpty())
        return {};
    switch (kind) {
    case Kind::Text:
        return QString::fromUtf8(text);
    case Kind::Shared: {
        const std::optional<unsigned> index = numberOf<unsigned>(trimmed(text));
        if (!index || *index >= sharedTexts.size())
            throw SheetDamage{QStringLiteral("a cell names shared string %1, which is not there")
                                  .arg(leftOf(text))};
        QString shared = sharedTexts.at(*index);
        return shared.isEmpty() ? CellValue() : CellValue(std::move(shared));
    }
    case Kind::Truth:
        return sameBytes(text, "1") || sameBytes(text, "true");
    case Kind::Date:
        if (const auto date =
                jet::parseEngineDate(std::string(text.data(), std::size_t(text.size()))))
            return *date;
        return QString::fromUtf8(text);
    default:
        break;
    }
    const std::optional<double> number = numberOf<double>(trimmed(text));
    if (!number || !std::isfinite(*number))
        throw SheetDamage{QStringLiteral("a number cell holds '%1'").arg(leftOf(text))};
    if (style < context.dateStyles.size() && context.dateStyles[style])
        return dateOfSerial(*number, context.dates1904);
    return *number;
}

using Token = XmlScanner::Token;

class CellStream {
public:
    CellStream(XmlScanner& xml, const XlsxCellContext& context, const XlsxCellVisitor& visit)
        : xml_(xml), context_(context), visit_(visit), sharedTexts_(context.sharedStrings) {}

    // Whether the part was read to its end.
    bool read() {
        bool inSheetData = false;
        for (Token token; (token = xml_.next()) != Token::Done;) {
            if (token == Token::Start) {
                if (xml_.nameIs("c") && inSheetData) {
                    if (!readCell())
                        return false;
                } else if (xml_.nameIs("row") && inSheetData)
                    startRow();
                else if (xml_.nameIs("sheetData"))
                    inSheetData = true;
            } else if (token == Token::End && xml_.nameIs("sheetData")) {
                inSheetData = false;
            }
        }
        return true;
    }

private:
    // Rows are numbered from 1; a part whose first row is numbered 0 numbers them from 0, as some
    // writers do, and is read in the same order. A row without a number follows the one before.
    void startRow() {
        const QByteArrayView number = xml_.attribute("r");
        const std::optional<unsigned> given = numberOf<unsigned>(number);
        if (given == 0u && !row_)
            firstNumber_ = 0;
        if (!number.isEmpty() && (!given || *given < firstNumber_ || *given > MaxRows))
            throw SheetDamage{
                QStringLiteral("a row's number '%1' is no row of a worksheet").arg(leftOf(number))};
        const unsigned row = number.isEmpty() ? (row_ ? *row_ + 1 : 0) : *given - firstNumber_;
        if (row >= MaxRows)
            throw SheetDamage{QStringLiteral("a row lies past the last row of a worksheet")};
        if (row_ && row <= *row_)
            throw SheetDamage{QStringLiteral("its rows are out of order")};
        row_ = row;
        column_.reset();
    }

    // The cell whose start tag was just read, to its end tag; false when the visitor stops.
    bool readCell() {
        if (!row_)
            throw SheetDamage{QStringLiteral("a cell lies outside any row")};
        // The attributes read in one pass, as a cell has a few of them and there are millions;
        // of two of the same local name (prefixed differently), the first, as attribute() gives.
        QByteArrayView reference;
        QByteArrayView kindText;
        QByteArrayView styleText;
        for (const XmlScanner::Attribute& attribute : xml_.attributes()) {
            if (attribute.name.size() != 1)
                continue;
            QByteArrayView& value = attribute.name[0] == 'r'   ? reference
                                    : attribute.name[0] == 't' ? kindText
                                    : attribute.name[0] == 's' ? styleText
                                                               : unused_;
            if (value.isNull())
                value = attribute.value;
        }
        unsigned column = column_ ? *column_ + 1 : 0;
        if (!reference.isEmpty()) {
            const auto [named, row] = referenceOf(reference);
            if (row != 0 && firstNumber_ == 1 && row - 1 != *row_)
                throw SheetDamage{QStringLiteral("cell %1 lies in another row than its own")
                                      .arg(QString::fromUtf8(reference))};
            column = named;
        }
        if (column >= MaxColumns || (column_ && column <= *column_))
            throw SheetDamage{QStringLiteral("the cells of a row are out of order")};
        column_ = column;
        const Kind kind = kindOf(kindText);
        const unsigned style = styleText.isEmpty() ? 0 : numberOf<unsigned>(styleText).value_or(0);

        value_.resize(0); // keeps its room from cell to cell
        if (const std::optional<QByteArrayView> plain = xml_.nextPlainText("v"))
            value_.append(plain->data(), std::size_t(plain->size()));
        // The value (<v>), an inline string's runs (<is>) and the rest (a formula) skipped.
        for (int depth = 1; depth > 0;) {
            const Token token = xml_.next();
            if (token == Token::End) {
                --depth;
            } else if (token == Token::Start) {
                if (depth == 1 && xml_.nameIs("v"))
                    appendElementText(value_);
                else if (depth == 1 && xml_.nameIs("is"))
                    appendRunsText(xml_, value_);
                else
                    ++depth;
            }
        }
        return visit_(*row_, column,
                      valueOf(kind, {value_.data(), qsizetype(value_.size())}, style, context_,
                              sharedTexts_));
    }

    // The text of the element whose start was just read, to its end, after `text`; an element
    // inside is damage, as in a value.
    void appendElementText(std::string& text) {
        for (Token token; (token = xml_.next()) != Token::End;) {
            if (token != Token::Text)
                throw SheetDamage{QStringLiteral("a value holds more than text")};
            text.append(xml_.text().data(), std::size_t(xml_.text().size()));
        }
    }

    XmlScanner& xml_;
    const XlsxCellContext& context_;
    const XlsxCellVisitor& visit_;
    SharedTexts sharedTexts_;
    unsigned firstNumber_ = 1;       // the number of the sheet's first row
    std::optional<unsigned> row_;    // the row being read
    std::optional<unsigned> column_; // its last cell read
    std::string value_;              // the cell's value as written
    QByteArrayView unused_;          // an attribute of a cell that is not read
};

} // namespace

void readXlsxCells(const XlsxPackage& package, const QString& part, const XlsxCellContext& context,
                   const XlsxCellVisitor& visit) {
    // A sheet whose part is missing is listed, as other readers list it, and holds no cells.
    if (!package.contains(part))
        return;
    scanPart(package, part, [&](XmlScanner& xml) {
        try {
            CellStream(xml, context, visit).read(); // or stopped, the rest unread
        } catch (const SheetDamage& broken) {
            throw messages::damaged(
                package.path(), QStringLiteral("in its part '%1', %2").arg(part, broken.detail));
        }
    });
}

} // namespace data::workbook
