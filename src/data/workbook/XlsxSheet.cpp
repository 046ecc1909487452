#include "data/workbook/XlsxSheet.h"

#include "data/workbook/DateFormats.h"
#include "data/workbook/Messages.h"
#include "data/workbook/XlsxXml.h"

#include <QXmlStreamReader>
#include <optional>

namespace data::workbook {

namespace {

// The bounds of a worksheet since Excel 2007.
constexpr unsigned MaxRows = 1048576;
constexpr unsigned MaxColumns = 16384;

struct SheetDamage {
    QString detail;
};

// A cell's reference ("B12") as its column and its row from 1, the row 0 when it has none.
std::pair<unsigned, unsigned> referenceOf(QStringView reference) {
    unsigned column = 0;
    qsizetype at = 0;
    for (; at < reference.size() && at < 4; ++at) {
        const char16_t c = reference[at].toUpper().unicode();
        if (c < u'A' || c > u'Z')
            break;
        column = column * 26 + (c - u'A' + 1);
    }
    bool isNumber = true;
    const unsigned row = at < reference.size() ? reference.mid(at).toUInt(&isNumber) : 0;
    if (column == 0 || column > MaxColumns || !isNumber || row > MaxRows)
        throw SheetDamage{QStringLiteral("a cell's reference '%1' is no cell of a worksheet")
                              .arg(reference.toString())};
    return {column - 1, row};
}

// The kinds of value a cell's "t" attribute names.
enum class Kind { Number, Shared, Text, Truth, Error, Date };

Kind kindOf(QStringView kind) {
    if (kind.isEmpty() || kind == QLatin1String("n"))
        return Kind::Number;
    if (kind == QLatin1String("s"))
        return Kind::Shared;
    if (kind == QLatin1String("b"))
        return Kind::Truth;
    if (kind == QLatin1String("e"))
        return Kind::Error;
    if (kind == QLatin1String("d"))
        return Kind::Date;
    return Kind::Text; // "str" of a formula, "inlineStr"
}

CellValue valueOf(Kind kind, QStringView text, unsigned style, const XlsxCellContext& context) {
    if (kind == Kind::Error || text.isEmpty())
        return {};
    switch (kind) {
    case Kind::Text:
        return text.toString();
    case Kind::Shared: {
        bool ok = false;
        const unsigned index = text.toUInt(&ok);
        if (!ok || index >= context.sharedStrings.size())
            throw SheetDamage{QStringLiteral("a cell names shared string %1, which is not there")
                                  .arg(text.toString())};
        const QString& shared = context.sharedStrings[index];
        return shared.isEmpty() ? CellValue() : CellValue(shared);
    }
    case Kind::Truth:
        return text == QLatin1String("1") || text == QLatin1String("true");
    case Kind::Date:
        if (const auto date = jet::parseEngineDate(text.toLatin1().toStdString()))
            return *date;
        return text.toString();
    default:
        break;
    }
    bool ok = false;
    const double number = text.toDouble(&ok);
    if (!ok)
        throw SheetDamage{QStringLiteral("a number cell holds '%1'").arg(text.left(40).toString())};
    if (style < context.dateStyles.size() && context.dateStyles[style])
        return dateOfSerial(number, context.dates1904);
    return number;
}

// An element's name without its namespace prefix ("x:c" is "c"): the sheet is read without the
// reader resolving namespaces, which costs more than anything else it does per cell.
QStringView localName(QStringView name) {
    return name.mid(name.lastIndexOf(u':') + 1);
}

class CellStream {
public:
    CellStream(QXmlStreamReader& xml, const XlsxCellContext& context, const XlsxCellVisitor& visit)
        : xml_(xml), context_(context), visit_(visit) {}

    void read() {
        bool inSheetData = false;
        while (!xml_.atEnd()) {
            const QXmlStreamReader::TokenType token = xml_.readNext();
            if (token == QXmlStreamReader::StartElement) {
                const QStringView name = localName(xml_.name());
                if (name == QLatin1String("c") && inSheetData)
                    readCell();
                else if (name == QLatin1String("row") && inSheetData)
                    startRow();
                else if (name == QLatin1String("sheetData"))
                    inSheetData = true;
            } else if (token == QXmlStreamReader::EndElement &&
                       localName(xml_.name()) == QLatin1String("sheetData")) {
                inSheetData = false;
            }
        }
    }

private:
    void startRow() {
        const QStringView number = attributeOf(xml_, QLatin1StringView("r"));
        bool ok = true;
        const unsigned row = number.isEmpty() ? (row_ ? *row_ + 1 : 0) : number.toUInt(&ok) - 1;
        if (!ok || row >= MaxRows)
            throw SheetDamage{QStringLiteral("a row's number '%1' is no row of a worksheet")
                                  .arg(number.toString())};
        if (row_ && row <= *row_)
            throw SheetDamage{QStringLiteral("its rows are out of order")};
        row_ = row;
        column_.reset();
    }

    void readCell() {
        if (!row_)
            throw SheetDamage{QStringLiteral("a cell lies outside any row")};
        QStringView reference, kindName, styleIndex;
        const QXmlStreamAttributes attributes = xml_.attributes();
        for (const QXmlStreamAttribute& attribute : attributes) {
            const QStringView name = attribute.name();
            if (name == QLatin1String("r"))
                reference = attribute.value();
            else if (name == QLatin1String("t"))
                kindName = attribute.value();
            else if (name == QLatin1String("s"))
                styleIndex = attribute.value();
        }
        unsigned column = column_ ? *column_ + 1 : 0;
        if (!reference.isEmpty()) {
            const auto [named, row] = referenceOf(reference);
            if (row != 0 && row - 1 != *row_)
                throw SheetDamage{QStringLiteral("cell %1 lies in another row than its own")
                                      .arg(reference.toString())};
            column = named;
        }
        if (column >= MaxColumns || (column_ && column <= *column_))
            throw SheetDamage{QStringLiteral("the cells of a row are out of order")};
        column_ = column;
        const Kind kind = kindOf(kindName);
        const unsigned style = styleIndex.toUInt();

        text_.clear();
        while (xml_.readNextStartElement()) {
            const QStringView name = localName(xml_.name());
            if (name == QLatin1String("v"))
                readValueText();
            else if (name == QLatin1String("is"))
                text_ = runsText(xml_);
            else
                xml_.skipCurrentElement();
        }
        if (xml_.hasError())
            return;
        visit_(*row_, column, valueOf(kind, text_, style, context_));
    }

    // The text of a <v> element into text_, whose room is kept from cell to cell.
    void readValueText() {
        for (;;) {
            const QXmlStreamReader::TokenType token = xml_.readNext();
            if (token == QXmlStreamReader::Characters)
                text_ += xml_.text();
            else if (token != QXmlStreamReader::Comment)
                break;
        }
        if (!xml_.isEndElement() && !xml_.hasError())
            xml_.raiseError(QStringLiteral("a value holds more than text"));
    }

    QXmlStreamReader& xml_;
    const XlsxCellContext& context_;
    const XlsxCellVisitor& visit_;
    std::optional<unsigned> row_;    // the row being read
    std::optional<unsigned> column_; // its last cell read
    QString text_;                   // the cell's value as written
};

} // namespace

void readXlsxCells(const XlsxPackage& package, const QString& part, const XlsxCellContext& context,
                   const XlsxCellVisitor& visit) {
    const auto stream = package.open(part);
    QXmlStreamReader xml(stream.get());
    xml.setNamespaceProcessing(false);
    try {
        CellStream(xml, context, visit).read();
    } catch (const SheetDamage& broken) {
        throw messages::damaged(package.path(),
                                QStringLiteral("in its part '%1', %2").arg(part, broken.detail));
    }
    requireWellFormed(xml, *stream, package.path(), part);
}

} // namespace data::workbook
