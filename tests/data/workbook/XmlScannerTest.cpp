// The reader of worksheet XML: what it gives for the forms a document may take, across the
// chunks it reads in, and what it refuses as not well-formed; all of it alike with and without
// the shortcuts it takes for the elements a sheet is made of.
#include "data/workbook/XmlScanner.h"

#include <QBuffer>
#include <gtest/gtest.h>

using data::workbook::XmlDamage;
using data::workbook::XmlScanner;
using Token = XmlScanner::Token;

namespace {

// Every token as text: "<name a=value>" for a start with the attributes asked for, "</name>",
// "'text'" for text. After every start a plain element "v" is read at once where it can be, as
// the reader of cells reads a value, and written as its three tokens.
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
            if (const auto value = xml.nextPlainText("v"))
                out += value->isEmpty() ? QString("<v></v>")
                                        : "<v>'" + QString::fromUtf8(*value) + "'</v>";
        } else if (token == Token::End) {
            out += "</" + QString::fromUtf8(xml.name()) + '>';
        } else {
            out += '\'' + QString::fromUtf8(xml.text()) + '\'';
        }
    }
    return out;
}

// Runs the check with the reader's shortcuts on, then off.
template <class Check> void withAndWithoutShortcuts(const Check& check) {
    for (const bool on : {true, false}) {
        SCOPED_TRACE(on ? "with shortcuts" : "without shortcuts");
        XmlScanner::setShortcuts(on);
        check();
    }
    XmlScanner::setShortcuts(true);
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
    withAndWithoutShortcuts([&] {
        for (const auto& [document, tokens] : cases)
            EXPECT_EQ(tokensOf(document).toStdString(), tokens.toStdString());
    });

    // Cells in random forms, some values the shortcuts read and some they leave to the reader
    // (references, CR, CDATA, attributes, prefixes, names alike in their first bytes, blanks),
    // their tags, texts and references straddling the chunks the reader takes in.
    const std::pair<const char*, const char*> forms[] = {
        {"<v>#</v>", "<v>'#'</v>"},
        {"<v>x&amp;#</v>", "<v>'x&#'</v>"},
        {"<v>#\r\n</v>", "<v>'#\n'</v>"},
        {"<v><![CDATA[<#>]]></v>", "<v>'<#>'</v>"},
        {"<v></v>", "<v></v>"},
        {"<v/>", "<v></v>"},
        {"<x:v>#</x:v>", "<v>'#'</v>"},
        {"<v r=\"#\">#</v>", "<v #>'#'</v>"},
        {"<vv>#</vv>", "<vv>'#'</vv>"},
        {"<v>#</v >", "<v>'#'</v>"},
        {"<f>#</f><v>#</v>", "<f>'#'</f><v>'#'</v>"},
    };
    std::uint32_t seed = 31;
    QByteArray big = "<s>";
    QString expected = "<s>";
    for (int i = 0; i < 60000; ++i) {
        seed = seed * 1103515245u + 12345u;
        const auto& [form, tokens] = forms[(seed >> 8) % std::size(forms)];
        const QByteArray n = QByteArray::number(i);
        big += "<c r=\"A" + n + "\">" + QByteArray(form).replace('#', n) + "</c>";
        expected += "<c A" + n + ">" + QString(tokens).replace('#', n) + "</c>";
    }
    withAndWithoutShortcuts([&] { EXPECT_TRUE(tokensOf(big + "</s>") == expected + "</s>"); });

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
        {"<a><v>1</w></a>", "1: the end tag 'w' closes no element open"},
        {"<a><v>1</vv></a>", "1: the end tag 'vv' closes no element open"},
    };
    withAndWithoutShortcuts([&] {
        for (const auto& [document, damage] : broken)
            EXPECT_EQ(damageOf(document).toStdString(), damage.toStdString());
    });
    EXPECT_EQ(damageOf("<a b=\"" + QByteArray(2 << 20, 'x') + "\"/>").toStdString(),
              "1: a tag runs on too long");
    EXPECT_EQ(damageOf(QByteArray("<a>").repeated(300)).toStdString(),
              "1: its elements nest too deep");
}

} // namespace
