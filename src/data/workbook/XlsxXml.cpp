#include "data/workbook/XlsxXml.h"

#include "data/workbook/Messages.h"

namespace data::workbook {

QStringView attributeOf(const QXmlStreamReader& xml, QLatin1StringView name, bool prefixed) {
    // Kept as a constant, so that going through it does not copy the reader's list.
    const QXmlStreamAttributes attributes = xml.attributes();
    for (const QXmlStreamAttribute& attribute : attributes)
        if (attribute.name() == name && attribute.namespaceUri().isEmpty() != prefixed)
            return attribute.value();
    return {};
}

QString runsText(QXmlStreamReader& xml) {
    QString text;
    for (int depth = 1; depth > 0 && !xml.atEnd();) {
        const QXmlStreamReader::TokenType token = xml.readNext();
        if (token == QXmlStreamReader::StartElement) {
            // By the name without a prefix, for a part read without namespaces.
            const QStringView name = xml.name().mid(xml.name().lastIndexOf(u':') + 1);
            if (name == QLatin1String("t"))
                text += xml.readElementText();
            else if (name == QLatin1String("rPh"))
                xml.skipCurrentElement();
            else
                ++depth;
        } else if (token == QXmlStreamReader::EndElement) {
            --depth;
        }
    }
    return text;
}

void readPart(const XlsxPackage& package, const QString& part,
              const std::function<void(QXmlStreamReader& xml)>& visit) {
    const auto stream = package.open(part);
    QXmlStreamReader xml(stream.get());
    while (!xml.atEnd()) {
        const QXmlStreamReader::TokenType token = xml.readNext();
        if (token == QXmlStreamReader::StartElement || token == QXmlStreamReader::EndElement)
            visit(xml);
    }
    requireWellFormed(xml, *stream, package.path(), part);
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
