#include "data/workbook/XlsxStyles.h"

#include "data/workbook/DateFormats.h"
#include "data/workbook/XlsxXml.h"

#include <QHash>

namespace data::workbook {

std::vector<bool> readXlsxDateStyles(const XlsxPackage& package, const QString& part) {
    std::vector<bool> dateStyles;
    if (part.isEmpty())
        return dateStyles;
    const auto stream = package.open(part);
    QXmlStreamReader xml(stream.get());
    QHash<int, QString> formats;
    std::vector<int> styleFormats; // by style index
    bool inCellFormats = false;    // the list of the cells' styles, not of the named styles
    while (!xml.atEnd()) {
        const QXmlStreamReader::TokenType token = xml.readNext();
        if (token == QXmlStreamReader::StartElement) {
            if (xml.name() == QLatin1String("numFmt"))
                formats.insert(attributeOf(xml, QLatin1StringView("numFmtId")).toInt(),
                               attributeOf(xml, QLatin1StringView("formatCode")).toString());
            else if (xml.name() == QLatin1String("cellXfs"))
                inCellFormats = true;
            else if (inCellFormats && xml.name() == QLatin1String("xf"))
                styleFormats.push_back(attributeOf(xml, QLatin1StringView("numFmtId")).toInt());
        } else if (token == QXmlStreamReader::EndElement &&
                   xml.name() == QLatin1String("cellXfs")) {
            inCellFormats = false;
        }
    }
    requireWellFormed(xml, *stream, package.path(), part);
    // The formats may follow the list of styles that name them.
    for (const int format : styleFormats)
        dateStyles.push_back(isDateFormat(format, formats.value(format)));
    return dateStyles;
}

} // namespace data::workbook
