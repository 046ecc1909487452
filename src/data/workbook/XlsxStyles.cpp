#include "data/workbook/XlsxStyles.h"

#include "data/workbook/DateFormats.h"
#include "data/workbook/XlsxXml.h"

#include <QHash>

namespace data::workbook {

std::vector<bool> readXlsxDateStyles(const XlsxPackage& package, const QString& part) {
    std::vector<bool> dateStyles;
    if (part.isEmpty())
        return dateStyles;
    QHash<int, QString> formats;
    std::vector<int> styleFormats; // by style index
    bool inCellFormats = false;    // the list of the cells' styles, not of the named styles
    readPart(package, part, [&](QXmlStreamReader& xml) {
        if (xml.isEndElement()) {
            if (xml.name() == QLatin1String("cellXfs"))
                inCellFormats = false;
        } else if (xml.name() == QLatin1String("numFmt")) {
            formats.insert(attributeOf(xml, QLatin1StringView("numFmtId")).toInt(),
                           attributeOf(xml, QLatin1StringView("formatCode")).toString());
        } else if (xml.name() == QLatin1String("cellXfs")) {
            inCellFormats = true;
        } else if (inCellFormats && xml.name() == QLatin1String("xf")) {
            styleFormats.push_back(attributeOf(xml, QLatin1StringView("numFmtId")).toInt());
        }
    });
    // The formats may follow the list of styles that name them.
    for (const int format : styleFormats)
        dateStyles.push_back(isDateFormat(format, formats.value(format)));
    return dateStyles;
}

} // namespace data::workbook
