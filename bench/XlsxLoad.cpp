#include "XlsxLoad.h"

#include "data/Error.h"
#include "data/jet/Engine.h"
#include "data/jet/TableLoader.h"
#include "data/workbook/XlsxFile.h"

#include <QFile>
#include <QTemporaryDir>
#include <sys/resource.h>
#include <zip.h>

namespace bench {

namespace {

constexpr int Regions = 50;

QString columnLetters(int column) {
    return QString(QChar(u'A' + column));
}

// The sheet's XML, written to a file of its own so that the package can deflate it from there.
qint64 writeSheet(const QString& path, long long rows) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        throw data::Error(QStringLiteral("Cannot write %1.").arg(path));
    QByteArray text = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<worksheet xmlns=\"http://"
                      "schemas.openxmlformats.org/spreadsheetml/2006/main\"><sheetData>"
                      "<row r=\"1\">";
    for (int c = 0; c < 8; ++c)
        text += "<c r=\"" + columnLetters(c).toLatin1() + "1\" t=\"inlineStr\"><is><t>Column" +
                QByteArray::number(c) + "</t></is></c>";
    text += "</row>";
    for (long long r = 2; r <= rows + 1; ++r) {
        const QByteArray n = QByteArray::number(r);
        text += "<row r=\"" + n + "\"><c r=\"A" + n + "\" t=\"s\"><v>" +
                QByteArray::number(r % Regions) + "</v></c><c r=\"B" + n + "\"><v>" + n +
                "</v></c><c r=\"C" + n + "\"><v>" + QByteArray::number(double(r) * 0.25) +
                "</v></c><c r=\"D" + n + "\" s=\"1\"><v>" + QByteArray::number(40000 + r % 3650) +
                "</v></c><c r=\"E" + n + "\" t=\"b\"><v>" + QByteArray::number(r % 2) +
                "</v></c><c r=\"F" + n + "\"><v>" + QByteArray::number(r % 997) +
                "</v></c><c r=\"G" + n + "\"><v>" + QByteArray::number(double(r) / 7, 'g', 15) +
                "</v></c><c r=\"H" + n + "\" t=\"s\"><v>" + QByteArray::number((r / 7) % Regions) +
                "</v></c></row>";
        if (text.size() > (1 << 20)) {
            file.write(text);
            text.clear();
        }
    }
    text += "</sheetData></worksheet>";
    file.write(text);
    return file.size();
}

void addPart(zip_t* archive, const char* name, zip_source_t* source) {
    if (!source || zip_file_add(archive, name, source, ZIP_FL_OVERWRITE) < 0)
        throw data::Error(QStringLiteral("Cannot add %1 to the workbook.").arg(name));
}

void addText(zip_t* archive, const char* name, const QByteArray& text) {
    // libzip reads the text when the archive is closed; it is copied to live that long.
    char* copy = static_cast<char*>(malloc(static_cast<std::size_t>(text.size())));
    memcpy(copy, text.constData(), static_cast<std::size_t>(text.size()));
    addPart(archive, name,
            zip_source_buffer(archive, copy, static_cast<zip_uint64_t>(text.size()), 1));
}

// The workbook with its one sheet "Sheet1"; the size of the sheet's XML.
qint64 writeWorkbook(const QString& folder, const QString& path, long long rows) {
    const QString sheet = folder + QStringLiteral("/sheet1.xml");
    const qint64 sheetBytes = writeSheet(sheet, rows);
    int error = 0;
    zip_t* archive =
        zip_open(QFile::encodeName(path).constData(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    if (!archive)
        throw data::Error(QStringLiteral("Cannot write %1.").arg(path));
    const QByteArray relations = "http://schemas.openxmlformats.org/officeDocument/2006/"
                                 "relationships";
    const QByteArray main = "http://schemas.openxmlformats.org/spreadsheetml/2006/main";
    const QByteArray listing = "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/"
                               "2006/relationships\">";
    addText(archive, "_rels/.rels",
            listing + "<Relationship Id=\"rId1\" Type=\"" + relations +
                "/officeDocument\" Target=\"xl/workbook.xml\"/></Relationships>");
    addText(archive, "xl/_rels/workbook.xml.rels",
            listing + "<Relationship Id=\"rId1\" Type=\"" + relations +
                "/worksheet\" Target=\"worksheets/sheet1.xml\"/><Relationship Id=\"rId2\" "
                "Type=\"" +
                relations +
                "/sharedStrings\" Target=\"sharedStrings.xml\"/><Relationship "
                "Id=\"rId3\" Type=\"" +
                relations + "/styles\" Target=\"styles.xml\"/></Relationships>");
    addText(archive, "xl/workbook.xml",
            "<workbook xmlns=\"" + main + "\" xmlns:r=\"" + relations +
                "\"><sheets><sheet name=\"Sheet1\" sheetId=\"1\" r:id=\"rId1\"/></sheets>"
                "</workbook>");
    QByteArray strings = "<sst xmlns=\"" + main + "\">";
    for (int i = 0; i < Regions; ++i)
        strings += "<si><t>Region " + QByteArray::number(i) + "</t></si>";
    addText(archive, "xl/sharedStrings.xml", strings + "</sst>");
    addText(archive, "xl/styles.xml",
            "<styleSheet xmlns=\"" + main +
                "\"><cellXfs count=\"2\"><xf numFmtId=\"0\"/><xf numFmtId=\"14\"/></cellXfs>"
                "</styleSheet>");
    addPart(archive, "xl/worksheets/sheet1.xml",
            zip_source_file(archive, QFile::encodeName(sheet).constData(), 0, -1));
    if (zip_close(archive) != 0) {
        zip_discard(archive);
        throw data::Error(QStringLiteral("Cannot write %1.").arg(path));
    }
    QFile::remove(sheet);
    return sheetBytes;
}

long peakKb() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

long long loadSheet(const QString& path) {
    data::jet::Engine engine(std::make_shared<data::workbook::XlsxFile>(path));
    const data::jet::TableInfo* table = engine.findTable(QStringLiteral("Sheet1$"));
    data::jet::Statement count =
        engine.prepare("SELECT count(*) FROM " + data::jet::quotedIdentifier(table->name));
    count.step();
    return count.value(0).toLongLong();
}

} // namespace

XlsxLoadTiming timeXlsxLoad(long long rows, int runs) {
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("sheet.xlsx"));
    XlsxLoadTiming timing;
    timing.sheetBytes = writeWorkbook(folder.path(), path, rows);
    timing.fileBytes = QFile(path).size();
    std::vector<Timing> loads;
    for (int run = 0; run < runs; ++run) {
        const long before = peakKb();
        loads.push_back(timeOf([&] { timing.rows = loadSheet(path); }));
        if (run == 0)
            timing.peakGrowthKb = peakKb() - before;
    }
    timing.load = median(loads);
    return timing;
}

} // namespace bench
