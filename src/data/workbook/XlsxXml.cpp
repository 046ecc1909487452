#include "data/workbook/XlsxXml.h"

#include "data/workbook/Messages.h"

namespace data::workbook {

QStringView attributeOf(const QXmlStreamReader& xml, QLatin1StringView name, bool prefixed) {
    for (const QXmlStreamAttribute& attribute : xml.attributes())
        if (attribute.name() == name && attribute.namespaceUri().isEmpty() != prefixed)
            return attribute.value();
    return {};
}

QString runsText(QXmlStreamReader& xml) {
    QString text;
    for (int depth = 1; depth > 0 && !xml.atEnd();) {
        const QXmlStreamReader::TokenType token = xml.readNext();
        if (token == QXmlStreamReader::StartElement) {
            if (xml.name() == QLatin1String("t"))
                text += xml.readElementText();
            else if (xml.name() == QLatin1String("rPh"))
                xml.skipCurrentElement();
            else
                ++depth;
        } else if (token == QXmlStreamReader::EndElement) {
            --depth;
        }
    }
    return text;
}

void requireWellFormed(const QXmlStreamReader& xml, const PartStream& stream, const QString& path,
                       const QString& part) {
    if (!stream.problem().isEmpty())
        throw messages::damaged(path, stream.problem());
    if (xml.hasError())
        throw messages::damaged(path, QStringLiteral("its part '%1' is not well-formed XML "
                                                     "(line %2: %3)")
                                          .arg(part)
                                          .arg(xml.lineNumber())
                                          .arg(xml.errorString()));
}

} // namespace data::workbook
