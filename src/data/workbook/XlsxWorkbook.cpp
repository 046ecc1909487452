#include "data/workbook/XlsxWorkbook.h"

#include "data/Operation.h"
#include "data/workbook/Messages.h"
#include "data/workbook/XlsxRelations.h"
#include "data/workbook/XlsxXml.h"

#include <utility>

namespace data::workbook {

namespace {

// The part the package's relationships name as its main document. Where they are damaged or name
// none, a package that holds the workbook part at its usual place is read from there, as other
// readers read it; the damage does not reach the cells.
QString mainPart(const XlsxPackage& package) {
    const QString usual = QStringLiteral("xl/workbook.xml");
    try {
        for (const Relation& relation : relationsOf(package, QString()))
            if (relation.kind == QLatin1String("officeDocument"))
                return relation.target;
    } catch (const data::Cancelled&) {
        throw;
    } catch (const data::Error&) {
        if (!package.contains(usual))
            throw;
    }
    return package.contains(usual) ? usual : QString();
}

const Relation* relationById(const std::vector<Relation>& relations, QStringView id) {
    for (const Relation& relation : relations)
        if (relation.id == id)
            return &relation;
    return nullptr;
}

bool isTrue(QStringView value) {
    return value == QLatin1String("1") || value == QLatin1String("true");
}

} // namespace

XlsxWorkbook readXlsxWorkbook(const XlsxPackage& package) {
    const QString part = mainPart(package);
    if (part.isEmpty() || !package.contains(part))
        throw messages::notAWorkbookPackage(package.path());
    const std::vector<Relation> relations = relationsOf(package, part);

    XlsxWorkbook book;
    for (const Relation& relation : relations) {
        if (relation.kind == QLatin1String("sharedStrings"))
            book.sharedStrings = relation.target;
        else if (relation.kind == QLatin1String("styles"))
            book.styles = relation.target;
    }
    bool listed = false; // whether the workbook lists its sheets
    bool atRoot = true;
    readPart(package, part, [&](QXmlStreamReader& xml) {
        if (!xml.isStartElement())
            return;
        // The main part of another kind of package (a document, a presentation) is no workbook.
        if (std::exchange(atRoot, false) && xml.name() != QLatin1String("workbook"))
            throw messages::notAWorkbookPackage(package.path());
        if (xml.name() == QLatin1String("workbookPr")) {
            book.dates1904 = isTrue(attributeOf(xml, QLatin1StringView("date1904")));
        } else if (xml.name() == QLatin1String("sheets")) {
            listed = true;
        } else if (xml.name() == QLatin1String("sheet")) {
            const Relation* relation =
                relationById(relations, attributeOf(xml, QLatin1StringView("id"), true));
            if (!relation)
                throw messages::damaged(package.path(),
                                        QStringLiteral("its list of sheets names a missing part"));
            if (relation->kind == QLatin1String("worksheet"))
                book.worksheets.push_back(
                    {attributeOf(xml, QLatin1StringView("name")).toString(), relation->target});
        }
    });
    if (!listed)
        throw messages::damaged(package.path(), QStringLiteral("its list of sheets is missing"));
    if (book.worksheets.empty())
        throw messages::noWorksheet(package.path());
    return book;
}

} // namespace data::workbook
