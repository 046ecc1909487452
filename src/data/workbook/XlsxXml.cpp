#include "data/workbook/XlsxXml.h"

#include "data/workbook/Messages.h"

namespace data::workbook {

QStringView attributeOf(const QXmlStreamReader& xml, QLatin1StringView name, bool prefixed) {
    for (const QXmlStreamAttribute& attribute : xml.attributes())
        if (attribute.name() == name && attribute.namespaceUri().isEmpty() != prefixed)
            return attribute.value();
    return {};
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
