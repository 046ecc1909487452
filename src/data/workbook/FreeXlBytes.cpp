#include "data/workbook/FreeXlBytes.h"

#include "data/workbook/Substreams.h"

#include <set>

namespace data::workbook {

namespace {

constexpr quint16 Unused = 0xFFFF;

} // namespace

QByteArray freeXlBytes(QByteArray file, const WorkbookStream& stream,
                       const WorkbookGlobals& globals) {
    const auto hide = [&](qsizetype record) {
        for (const qsizetype at : {record, record + 1})
            file[stream.fileOffset(at)] = static_cast<char>(Unused & 0xFF);
    };
    std::set<qsizetype> otherSheets; // the offsets of the sheets that are no worksheet
    for (const ListedSheet& listed : globals.sheets()) {
        if (!listed.worksheet) {
            hide(listed.listing);
            otherSheets.insert(listed.offset);
        }
    }
    biff::SubstreamReader records(stream.bytes, 0);
    bool inOtherSheet = false;
    quint16 previous = 0;
    while (const std::optional<biff::NestedRecord> nested = records.next()) {
        const biff::Record& record = nested->record;
        const bool ownBoundary =
            nested->depth == 1 && (record.type == biff::Bof || record.type == biff::Eof);
        if (ownBoundary && record.type == biff::Bof)
            inOtherSheet = otherSheets.contains(record.offset);
        // The shared strings, the records that continue them and the cells that name them are
        // read by the program alone (see CellResults).
        const bool shared = record.type == biff::SharedStrings || record.type == biff::LabelSst ||
                            (record.type == biff::Continue && previous == biff::SharedStrings);
        if (record.type != biff::Continue)
            previous = record.type;
        if (nested->depth > 1 || (inOtherSheet && !ownBoundary) || shared)
            hide(record.offset);
    }
    return file;
}

} // namespace data::workbook
