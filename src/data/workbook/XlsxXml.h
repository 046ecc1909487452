#pragma once

#include "data/workbook/XlsxPackage.h"
#include "data/workbook/XmlScanner.h"

#include <QStringView>
#include <QXmlStreamReader>
#include <functional>

// Reading the XML parts of a workbook package with Qt's stream reader. Elements and attributes
// are found by their local names, whatever namespace they are in, so that workbooks saved in the
// strict form of the format, whose namespaces differ, read as the usual ones do.
namespace data::workbook {

// The attribute of that local name; empty when the element has none. `prefixed` asks for one in
// a namespace (r:id), bare asks for one in none.
QStringView attributeOf(const QXmlStreamReader& xml, QLatin1StringView name, bool prefixed = false);

// Reads the part to its end, handing the reader to `visit` at each start and end of an element.
// Fails with data::Error when the part is missing, cannot be unpacked or is no well-formed XML,
// and when it declares a document type: no workbook part holds one, and the entities declared
// there could expand without end (Qt's reader bounds their expansion by the characters they give,
// not by how many there are, so entities that expand to nothing run unbounded).
void readPart(const XlsxPackage& package, const QString& part,
              const std::function<void(QXmlStreamReader& xml)>& visit);

// The text of a string whose start element (<si>, <is>) the reader has just read, to its end,
// after `text`: the texts of its runs (<t>) joined, phonetic readings (<rPh>) left out.
void appendRunsText(XmlScanner& xml, std::string& text);

// Reads the part with the program's own reader (see XmlScanner), which `read` drives to where it
// wants. Fails with data::Error when the part is missing, cannot be unpacked or is no well-formed
// XML, as readPart does.
void scanPart(const XlsxPackage& package, const QString& part,
              const std::function<void(XmlScanner& xml)>& read);

// Throws the data::Error the user sees when the part could not be read to its end: the stream's
// problem, or the XML reader's complaint that it is not well-formed XML.
void requireWellFormed(const QXmlStreamReader& xml, const PartStream& stream, const QString& path,
                       const QString& part);

} // namespace data::workbook
