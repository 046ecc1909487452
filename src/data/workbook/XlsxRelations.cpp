#include "data/workbook/XlsxRelations.h"

#include "data/workbook/XlsxXml.h"

namespace data::workbook {

namespace {

QString relationPartOf(const QString& part) {
    const qsizetype slash = part.lastIndexOf(u'/');
    return part.left(slash + 1) + QStringLiteral("_rels/") + part.mid(slash + 1) +
           QStringLiteral(".rels");
}

} // namespace

QString targetPart(const QString& source, const QString& target) {
    QStringList folders;
    if (!target.startsWith(u'/'))
        folders = source.left(source.lastIndexOf(u'/') + 1).split(u'/', Qt::SkipEmptyParts);
    for (const QString& step : target.split(u'/', Qt::SkipEmptyParts)) {
        if (step == QLatin1String("..")) {
            if (!folders.isEmpty())
                folders.removeLast();
        } else if (step != QLatin1String("."))
            folders.append(step);
    }
    return folders.join(u'/');
}

std::vector<Relation> relationsOf(const XlsxPackage& package, const QString& part) {
    const QString relations = relationPartOf(part);
    std::vector<Relation> found;
    if (!package.contains(relations))
        return found;
    readPart(package, relations, [&](QXmlStreamReader& xml) {
        if (!xml.isStartElement() || xml.name() != QLatin1String("Relationship") ||
            attributeOf(xml, QLatin1StringView("TargetMode")) == QLatin1String("External"))
            return;
        const QStringView type = attributeOf(xml, QLatin1StringView("Type"));
        found.push_back(
            {attributeOf(xml, QLatin1StringView("Id")).toString(),
             type.mid(type.lastIndexOf(u'/') + 1).toString(),
             targetPart(part, attributeOf(xml, QLatin1StringView("Target")).toString())});
    });
    return found;
}

} // namespace data::workbook
