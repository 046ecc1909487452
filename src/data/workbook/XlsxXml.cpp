#include "data/workbook/XlsxXml.h"

#include "data/Operation.h"
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

void readPart(const XlsxPackage& package, const QString& part,
              const std::function<void(QXmlStreamReader& xml)>& visit) {
    const auto stream = package.open(part);
    QXmlStreamReader xml(stream.get());
    while (!xml.atEnd()) {
        const QXmlStreamReader::TokenType token = xml.readNext();
        if (token == QXmlStreamReader::StartElement || token == QXmlStreamReader::EndElement)
            visit(xml);
        else if (token == QXmlStreamReader::DTD)
            throw messages::documentType(package.path(), part);
    }
    requireWellFormed(xml, *stream, package.path(), part);
}

void appendRunsText(XmlScanner& xml, std::string& text) {
    using Token = XmlScanner::Token;
    int skipping = 0; // depth inside a phonetic reading
    bool inRun = false;
    for (int depth = 1; depth > 0;) {
        const Token token = xml.next();
        if (token == Token::Start) {
            ++depth;
            if (skipping > 0 || xml.nameIs("rPh"))
                ++skipping;
            else
                inRun = xml.nameIs("t");
        } else if (token == Token::End) {
            --depth;
            inRun = false;
            if (skipping > 0)
                --skipping;
        } else if (token == Token::Text && inRun && skipping == 0) {
            text.append(xml.text().data(), std::size_t(xml.text().size()));
        } else if (token == Token::Done) {
            return;
        }
    }
}

void scanPart(const XlsxPackage& package, const QString& part,
              const std::function<void(XmlScanner& xml)>& read) {
    const auto stream = package.open(part);
    XmlScanner xml(*stream);
    try {
        read(xml);
    } catch (const XmlDamage& broken) {
        if (stream->stopped())
            throw data::Cancelled();
        // A part cut short by a damaged archive says so, rather than how its XML ends.
        if (!stream->problem().isEmpty())
            throw messages::damaged(package.path(), stream->problem());
        if (broken.documentType)
            throw messages::documentType(package.path(), part);
        throw messages::damaged(package.path(),
                                QStringLiteral("its part '%1' is not well-formed XML (line %2: %3)")
                                    .arg(part)
                                    .arg(broken.line)
                                    .arg(broken.detail));
    }
    if (stream->stopped())
        throw data::Cancelled();
    if (!stream->problem().isEmpty())
        throw messages::damaged(package.path(), stream->problem());
}

void requireWellFormed(const QXmlStreamReader& xml, const PartStream& stream, const QString& path,
                       const QString& part) {
    if (stream.stopped())
        throw data::Cancelled();
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
