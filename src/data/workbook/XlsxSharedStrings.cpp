#include "data/workbook/XlsxSharedStrings.h"

#include "data/workbook/Messages.h"
#include "data/workbook/XlsxXml.h"

namespace data::workbook {

namespace {

using Token = XmlScanner::Token;

// The text of a string item (<si>) whose start was just read, to its end: its runs (<t>) joined,
// phonetic readings (<rPh>) left out.
void appendItem(XmlScanner& xml, QByteArray& text) {
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
            text += xml.text();
        } else if (token == Token::Done) {
            return;
        }
    }
}

} // namespace

StringTable readXlsxSharedStrings(const XlsxPackage& package, const QString& part) {
    StringTable strings;
    if (part.isEmpty())
        return strings;
    const std::size_t most = std::max<std::size_t>(1 << 20, std::size_t(8 * package.size()));
    scanPart(package, part, [&](XmlScanner& xml) {
        QByteArray text;
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
            appendItem(xml, text);
            strings.append(QString::fromUtf8(text));
        }
    });
    return strings;
}

} // namespace data::workbook
