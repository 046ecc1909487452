// The reader of worksheet XML: what it gives for the forms a document may take, across the
// chunks it reads in, and what it refuses as not well-formed.
#include "data/workbook/XmlScanner.h"

#include <QBuffer>
#include <gtest/gtest.h>

using data::workbook::XmlDamage;
using data::workbook::XmlScanner;
using Token = XmlScanner::Token;

namespace {

// Every token as text: "<name a=value>" for a start with the attributes asked for, "</name>",
// "'text'" for text.
QString tokensOf(const QByteArray& document, QByteArrayView attribute = "r") {
    QBuffer in;
    in.setData(document);
    in.open(QIODevice::ReadOnly);
    XmlScanner xml(in);
    QString out;
    for (Token token; (token = xml.next()) != Token::Done;) {
        if (token == Token::Start) {
            out += '<' + QString::fromUtf8(xml.name());
            if (!xml.attribute(attribute).isNull())
                out += ' ' + QString::fromUtf8(xml.attribute(attribute));
            out += '>';
        } else if (token == Token::End) {
            out += "</" + QString::fromUtf8(xml.name()) + '>';
        } else {
            out += '\'' + QString::fromUtf8(xml.text()) + '\'';
        }
    }
    return out;
}

QString damageOf(const QByteArray& document) {
    try {
        tokensOf(document);
    } catch (const XmlDamage& damage) {
        return QString::number(damage.line) + ": " + damage.detail;
    }
    return {};
}

TEST(XmlScanner, GivesEveryFormADocumentMayTakeAndRefusesWhatIsNotWellFormed) {
    const std::pair<QByteArray, QString> cases[] = {
        {"\xEF\xBB\xBF<?xml version=\"1.0\"?>\n<!-- made by hand -->\n<x:ws xmlns:x=\"u\">"
         "<x:c r='A1'/><c r=\"B&amp;1\" t=\"s\"><v>1 &lt; 2 &#x263A;&#65;</v></c></x:ws>\n",
         "<ws><c A1></c><c B&1><v>'1 < 2 \u263AA'</v></c></ws>"},
        {"<a><v><![CDATA[<b>&amp;]]> and more</v><v r=\"x>y\">z</v></a>",
         "<a><v>'<b>&amp; and more'</v><v x>y>'z'</v></a>"},
    };
    for (const auto& [document, tokens] : cases)
        EXPECT_EQ(tokensOf(document).toStdString(), tokens.toStdString());

    // Tags, texts and references that straddle the chunks the reader takes in.
    QByteArray big = "<s>";
    QString expected = "<s>";
    for (int i = 0; i < 60000; ++i) {
        big += "<c r=\"A" + QByteArray::number(i) + "\"><v>x&amp;" + QByteArray::number(i) +
               "</v></c>";
        expected += "<c A" + QString::number(i) + "><v>'x&" + QString::number(i) + "'</v></c>";
    }
    EXPECT_TRUE(tokensOf(big + "</s>") == expected + "</s>");

    // What is not well-formed is refused, saying where.
    const std::pair<QByteArray, QString> broken[] = {
        {"<a><b></a>", "1: the end tag 'a' closes no element open"},
        {"<a>\n<b>", "2: the document ends before its elements are closed"},
        {"", "1: the document ends before its elements are closed"},
        {"<a></a><b/>", "1: an element follows the document's element"},
        {"<a></a>text", "1: text stands outside the document's element"},
        {"<a x=1/>", "1: an attribute's value is not quoted"},
        {"<a x=\"1\"x=\"2\"/>", "1: attributes in a tag are not apart"},
        {"<a x=\"1\" x=\"2\"/>", "1: an attribute is given twice"},
        {"<a x=\"<\"/>", "1: an attribute's value holds '<'"},
        {"<a>&bogus;</a>", "1: the entity '&bogus;' is not known"},
        {"<a>&#0;</a>", "1: the character reference '&#0;' names no character"},
        {"<a>AT&T</a>", "1: an '&' stands for no reference"},
        {"<!DOCTYPE a [<!ENTITY e \"boom\">]><a>&e;</a>",
         "1: it declares a document type, which a workbook's part never does"},
        {"<a><!-- open", "1: a comment is not closed"},
        {"<a", "1: the document ends inside a tag"},
        {"<a></ a>", "1: a tag holds no name where one belongs"},
    };
    for (const auto& [document, damage] : broken)
        EXPECT_EQ(damageOf(document).toStdString(), damage.toStdString());
    EXPECT_EQ(damageOf("<a b=\"" + QByteArray(2 << 20, 'x') + "\"/>").toStdString(),
              "1: a tag runs on too long");
    EXPECT_EQ(damageOf(QByteArray("<a>").repeated(300)).toStdString(),
              "1: its elements nest too deep");
}

} // namespace
