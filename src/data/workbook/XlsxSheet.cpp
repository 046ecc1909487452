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

// What a cell holds, by the kind its "t" attribute gives.
CellValue valueOf(QStringView kind, const QString& text, QStringView style,
                  const XlsxCellContext& context) {
    if (kind == QLatin1String("e") || text.isEmpty())
        return {};
    if (kind == QLatin1String("str") || kind == QLatin1String("inlineStr"))
        return text;
    if (kind == QLatin1String("s")) {
        bool ok = false;
        const unsigned index = text.toUInt(&ok);
        if (!ok || index >= context.sharedStrings.size())
            throw SheetDamage{
                QStringLiteral("a cell names shared string %1, which is not there").arg(text)};
        const QString& shared = context.sharedStrings[index];
        return shared.isEmpty() ? CellValue() : CellValue(shared);
    }
    if (kind == QLatin1String("b"))
        return text == QLatin1String("1") || text == QLatin1String("true");
    if (kind == QLatin1String("d")) {
        if (const auto date = jet::parseEngineDate(text.toStdString()))
            return *date;
        return text;
    }
    bool ok = false;
    const double number = text.toDouble(&ok);
    if (!ok)
        throw SheetDamage{QStringLiteral("a number cell holds '%1'").arg(text.left(40))};
    const unsigned index = style.isEmpty() ? 0 : style.toUInt();
    if (index < context.dateStyles.size() && context.dateStyles[index])
        return dateOfSerial(number, context.dates1904);
    return number;
}

// The text of an inline string: its runs joined, without phonetic readings.
QString inlineText(QXmlStreamReader& xml) {
    QString text;
    while (xml.readNextStartElement()) {
        if (xml.name() == QLatin1String("t"))
            text += xml.readElementText();
        else if (xml.name() == QLatin1String("r"))
            continue; // its text is read in turn
        else
            xml.skipCurrentElement();
    }
    return text;
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
                if (xml_.name() == QLatin1String("sheetData"))
                    inSheetData = true;
                else if (inSheetData && xml_.name() == QLatin1String("row"))
                    startRow();
                else if (inSheetData && xml_.name() == QLatin1String("c"))
                    readCell();
            } else if (token == QXmlStreamReader::EndElement &&
                       xml_.name() == QLatin1String("sheetData")) {
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
        const QStringView reference = attributeOf(xml_, QLatin1StringView("r"));
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

        const QString kind = attributeOf(xml_, QLatin1StringView("t")).toString();
        const QString style = attributeOf(xml_, QLatin1StringView("s")).toString();
        QString text;
        while (xml_.readNextStartElement()) {
            if (xml_.name() == QLatin1String("v"))
                text = xml_.readElementText();
            else if (xml_.name() == QLatin1String("is"))
                text = inlineText(xml_);
            else
                xml_.skipCurrentElement();
        }
        if (xml_.hasError())
            return;
        visit_(*row_, column, valueOf(kind, text, style, context_));
    }

    QXmlStreamReader& xml_;
    const XlsxCellContext& context_;
    const XlsxCellVisitor& visit_;
    std::optional<unsigned> row_;    // the row being read
    std::optional<unsigned> column_; // its last cell read
};

} // namespace

void readXlsxCells(const XlsxPackage& package, const QString& part, const XlsxCellContext& context,
                   const XlsxCellVisitor& visit) {
    const auto stream = package.open(part);
    QXmlStreamReader xml(stream.get());
    try {
        CellStream(xml, context, visit).read();
    } catch (const SheetDamage& broken) {
        throw messages::damaged(package.path(),
                                QStringLiteral("in its part '%1', %2").arg(part, broken.detail));
    }
    requireWellFormed(xml, *stream, package.path(), part);
}

} // namespace data::workbook
