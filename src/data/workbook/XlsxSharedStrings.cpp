#include "data/workbook/XlsxSharedStrings.h"

#include "data/workbook/Messages.h"
#include "data/workbook/XlsxXml.h"

namespace data::workbook {

using Token = XmlScanner::Token;

StringTable readXlsxSharedStrings(const XlsxPackage& package, const QString& part) {
    StringTable strings;
    if (part.isEmpty())
        return strings;
    const std::size_t most = std::max<std::size_t>(1 << 20, std::size_t(8 * package.size()));
    scanPart(package, part, [&](XmlScanner& xml) {
        std::string text;
        for (Token token; (token = xml.next()) != Token::Done;) {
            if (token != Token::Start || !xml.nameIs("si"))
                continue;
            if (strings.size() >= most)
                throw messages::damaged(
                    package.path(),
                    QStringLiteral("its part '%1' lists more shared strings than a package of its "
                                   "size can hold (it may be a zip bomb)")
                        .arg(part));
            text.resize(0);
            appendRunsText(xml, text);
            strings.append(QString::fromUtf8(text.data(), qsizetype(text.size())));
        }
    });
    return strings;
}

} // namespace data::workbook
