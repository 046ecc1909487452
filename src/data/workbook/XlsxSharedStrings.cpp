#include "data/workbook/XlsxSharedStrings.h"

#include "data/workbook/XlsxXml.h"

namespace data::workbook {

std::vector<QString> readXlsxSharedStrings(const XlsxPackage& package, const QString& part) {
    std::vector<QString> strings;
    if (part.isEmpty())
        return strings;
    const auto stream = package.open(part);
    QXmlStreamReader xml(stream.get());
    QString text;
    while (!xml.atEnd()) {
        const QXmlStreamReader::TokenType token = xml.readNext();
        if (token == QXmlStreamReader::StartElement) {
            if (xml.name() == QLatin1String("si"))
                text.clear();
            else if (xml.name() == QLatin1String("t"))
                text += xml.readElementText();
            else if (xml.name() == QLatin1String("rPh"))
                xml.skipCurrentElement();
        } else if (token == QXmlStreamReader::EndElement && xml.name() == QLatin1String("si")) {
            strings.push_back(text);
        }
    }
    requireWellFormed(xml, *stream, package.path(), part);
    return strings;
}

} // namespace data::workbook
