#pragma once

#include "data/workbook/XlsxPackage.h"

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

// The text of the element the reader is on (a shared string, an inline string): the texts of its
// runs joined, phonetic readings left out. Reads to the element's end.
QString runsText(QXmlStreamReader& xml);

// Reads the part to its end, handing the reader to `visit` at each start and end of an element.
// Fails with data::Error when the part is missing, cannot be unpacked or is no well-formed XML.
void readPart(const XlsxPackage& package, const QString& part,
              const std::function<void(QXmlStreamReader& xml)>& visit);

// Throws the data::Error the user sees when the part could not be read to its end: the stream's
// problem, or the XML reader's complaint that it is not well-formed XML.
void requireWellFormed(const QXmlStreamReader& xml, const PartStream& stream, const QString& path,
                       const QString& part);

} // namespace data::workbook
