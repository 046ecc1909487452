#include "data/workbook/XlsxSharedStrings.h"

#include "data/workbook/XlsxXml.h"

namespace data::workbook {

std::vector<QString> readXlsxSharedStrings(const XlsxPackage& package, const QString& part) {
    std::vector<QString> strings;
    if (part.isEmpty())
        return strings;
    readPart(package, part, [&](QXmlStreamReader& xml) {
        if (xml.isStartElement() && xml.name() == QLatin1String("si"))
            strings.push_back(runsText(xml));
    });
    return strings;
    const auto stream = package.open(part);
    QXmlStreamReader xml(stream.get());
    while (!xml.atEnd())
        if (xml.readNext() == QXmlStreamReader::StartElement && xml.name() == QLatin1String("si"))
            strings.push_back(runsText(xml));
    requireWellFormed(xml, *stream, package.path(), part);
    return strings;
}

} // namespace data::workbook
