#include "data/workbook/StreamCheck.h"

#include "data/workbook/BiffRecords.h"
#include "data/workbook/BiffText.h"
#include "data/workbook/Bytes.h"
#include "data/workbook/Substreams.h"

#include <map>
#include <set>

namespace data::workbook {

namespace {

using biff::Record;

using biff::FarEastData;
using biff::RichText;
using biff::WideCharacters;

// The length of BIFF8 text at the offset (a count of `countBytes`, a flags byte, the optional
// sizes of its formatting, the characters), checked to lie within the record.
void requireText(QByteArrayView data, qsizetype offset, int countBytes) {
    const qsizetype count =
        countBytes == 1 ? readAt<quint8>(data, offset) : readAt<quint16>(data, offset);
    qsizetype at = offset + countBytes;
    const quint8 flags = readAt<quint8>(data, at++);
    at += (flags & RichText ? 2 : 0) + (flags & FarEastData ? 4 : 0);
    slice(data, at, flags & WideCharacters ? 2 * count : count);
}

// The records of one worksheet that decide where FreeXL puts cells: its size (DIMENSIONS) must
// come once, before any cell, and be no larger than a worksheet can be.
class SheetCheck {
public:
    explicit SheetCheck(quint16 version) : version_(version) {}

    void read(const Record& record) {
        switch (record.type) {
        case biff::Dimensions:
            dimensions(record.data);
            break;
        case biff::Label:
            if (version_ == biff::Biff8)
                requireText(record.data, 6, 2);
            else
                slice(record.data, 8, readAt<quint16>(record.data, 6));
            cell(record.data, 8);
            break;
        case biff::Number:
            cell(record.data, 14);
            break;
        case biff::Rk:
        case biff::LabelSst:
            cell(record.data, 10);
            break;
        case biff::BoolErr:
            cell(record.data, 8);
            break;
        case biff::MulRk:
            cell(record.data, 6);
            break;
        default:
            break;
        }
    }

private:
    void dimensions(QByteArrayView data) {
        require(!sized_ && !cells_);
        sized_ = true;
        const bool biff8 = version_ == biff::Biff8;
        const quint32 rows = biff8 ? readAt<quint32>(data, 4) : readAt<quint16>(data, 2);
        const quint16 columns = readAt<quint16>(data, biff8 ? 10 : 6);
        require(rows <= biff::maxRows(version_) && columns <= biff::MaxColumns);
    }

    void cell(QByteArrayView data, qsizetype minimumLength) {
        require(data.size() >= minimumLength);
        cells_ = true;
    }

    quint16 version_;
    bool sized_ = false;
    bool cells_ = false;
};

} // namespace

void checkStream(QByteArrayView stream, const WorkbookGlobals& globals) {
    std::map<qsizetype, bool> listed; // whether each listed sheet is a worksheet, by its offset
    for (const ListedSheet& entry : globals.sheets())
        listed.emplace(entry.offset, entry.worksheet);
    biff::SubstreamReader records(stream, 0);
    std::set<qsizetype> started;
    std::optional<SheetCheck> sheet;
    bool inGlobals = true;
    while (const std::optional<biff::NestedRecord> nested = records.next()) {
        const Record& record = nested->record;
        require(record.data.size() <= biff::MaxRecordLength);
        if (record.type == biff::Continue)
            continue;
        if (nested->depth > 1) {
            // A chart's records, which FreeXL is not shown (see FreeXlBytes); the globals hold
            // no chart.
            require(!inGlobals);
        } else if (record.type == biff::Bof) {
            if (!inGlobals) {
                const auto found = listed.find(record.offset);
                require(found != listed.end() && started.insert(record.offset).second);
                if (found->second)
                    sheet.emplace(globals.version());
            }
        } else if (record.type == biff::Eof) {
            inGlobals = false;
            sheet.reset();
        } else if (record.type == biff::Format) {
            if (globals.version() == biff::Biff8)
                requireText(record.data, 2, 2);
            else // FreeXL takes the length of Excel 5 formats from their fourth byte
                slice(record.data, 3, readAt<quint8>(record.data, 3));
        } else if (sheet) {
            sheet->read(record);
        }
    }
    // Each sheet the workbook lists is where it says.
    require(started.size() == listed.size());
}

} // namespace data::workbook
